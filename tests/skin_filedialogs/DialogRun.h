// Runs a skinned file dialog modally and drives its window from a timer inside
// the modal loop; a scratch tree of files for the dialogs to show.
#pragma once
#include "test_gtest.h"
#include "FileDlgForm.h"
#include "FileDlgKit.h"
#include "ShellCtrls.h"
#include "SkinButton.h"
#include "SkinEdits.h"
#include "SkinFilterComboBox.h"
#include "SkinSpeedButton.h"
#include "SysUtils.h"
#include <functional>
#include <string>
#include <vector>

namespace FileDlgTest {

// Under the root: a.txt, b.txt, pic.bmp, the folder sub with c.txt, the empty folder other.
struct TTree {
    TScratch T;
    explicit TTree(const std::string& Name) : T(Name)
    {
        T.Write("a.txt", "a");
        T.Write("b.txt", "bb");
        T.Write("pic.bmp", "not really");
        T.Folder("sub");
        T.Write("sub\\c.txt", "c");
        T.Folder("other");
    }
    std::string Root() const { return T.Root(); }
    std::string Path(const std::string& Rel) const { return T.Path(Rel); }
};

// Shows the window of D (whose GetWindow is its window while it runs); Steps
// run once it shows, and the window is cancelled after them unless they closed it.
template <class TDialog, class TRun>
bool RunWith(TDialog& D, TRun Run, const std::function<void(TspCustomFileDlgForm*)>& Steps)
{
    return RunModal(D, Run, Steps);
}

template <class TDialog> bool RunDialog(TDialog& D, const std::function<void(TspCustomFileDlgForm*)>& Steps)
{
    return RunWith(D, [&] { return D.Execute(); }, Steps);
}

inline std::vector<std::string> Names(TspSkinFileListView* L)
{
    std::vector<std::string> v;
    for (int i = 0; i < L->FolderCount(); ++i) v.push_back(L->GetFolder(i)->DisplayName());
    return v;
}

// Types Text into the file name edit and presses Key there.
inline void Type(TspCustomFileDlgForm* W, const std::string& Text, char Key = '\r')
{
    W->FileNameEdit->SetText(Text);
    W->FileNameEdit->Perform(WM_CHAR, static_cast<unsigned char>(Key), 1);
}

} // namespace FileDlgTest
