// TForm1: the operator's main window and the broadcast controller. It starts the
// server, the sound and video capture and the encoders at first show, fans every
// packet out to the connections that stream its kind, answers the connection
// threads' calls (IMainWindowLink), and carries the operator's commands, the
// online list and the chat. The work is split over three files: MainForm.cpp
// (life cycle, translation, help), MainFormBroadcast.cpp (capture, compression,
// distribution, recording), MainFormOperator.cpp (actions, chat, alarms,
// availability, schedule, online list).
//
// The window wears the program's skin: spFormFrame1 draws its frame from
// spSkinData1, the skinned menu bar shows spSkinMainMenu1, spTrayIcon1 takes it
// to the tray, and the visible controls are the skinned ones.
#pragma once
// Winsock first: its headers must precede the C library's (ScktComp.h says why).
#include "ScktComp.h"
#include "MainWindowLink.h"
#include "ServerSendThread.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "Image.h"
#include "Timer.h"
#include "ComCtrls.h"
#include "ActnList.h"
#include "ImgList.h"
#include "Menus.h"
#include "MultiThreadClass.h"
#include "MultiThreadList.h"
#include "CompressedStoredSkin.h"
#include "FormFrame.h"
#include "FrameMainMenu.h"
#include "SkinButton.h"
#include "SkinEdits.h"
#include "SkinMemo.h"
#include "SkinMenuBar.h"
#include "SkinPanel.h"
#include "SkinScrollBar.h"
#include "SkinViews.h"
#include "TrayIcon.h"
#include <vfw.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CContact;
class CVideo;
class CWaveIn;
class COggEncoder;
class TVideoCapture;
class TCapturedBitmap;
class TspSkinData;

// The stored default skin: an RCDATA resource of the program (Orvanta_TM.rc).
extern const char* const kDefaultSkinResource;
// The name the default skin goes by.
extern const char* const kDefaultSkinName;

// The frame sizes by RES index: 0 160x120, 1 320x240, 2 640x480.
const int kResIndexCount = 3;
// The mode the capture device is asked for, and the grab the frames are scaled from.
const int kGrabWidth = 320;
const int kGrabHeight = 240;
// The port the server listens on; ORVANTA_PORT (1-65535) chooses another one.
const int kDefaultServerPort = 80;
int ServerPortFromEnvironment();

class TForm1 : public TForm, public IMainWindowLink {
public:
    explicit TForm1(TComponent* AOwner);
    ~TForm1() override;

    // The skin every window of the program wears (the main window owns it).
    TspSkinData* spSkinData1 = nullptr;
    // The default skin kept in the program and the skin file in use (its FileName;
    // empty while the default is worn).
    TspCompressedStoredSkin* spCompressedStoredSkin1 = nullptr;
    // Loads a skin file into spSkinData1 and re-skins every open window. A file
    // that cannot be read or is damaged leaves the skin in use as it was, shows
    // the operator one message and answers false.
    bool ApplySkinFile(const std::string& Path);
    // The same without the message: the reason a file was refused, or empty.
    std::string TryApplySkinFile(const std::string& Path);

    // --- components (the designed names) ---
    TspFormFrame* spFormFrame1;
    TspSkinMainMenuBar* spSkinMainMenuBar1;
    TspSkinMainMenu* spSkinMainMenu1;
    TspTrayIcon* spTrayIcon1;
    // The client area under the menu bar; every control of the window sits on it.
    TspSkinPanel* spSkinPanel1;
    TMenuItem *File1, *Exit1, *Actions1, *Video1, *Voice1, *Alarm1, *Available1, *options1, *Customization1,
        *Preferences1, *Help1, *Help2, *About1;
    TVideoCapture* cap0;
    TspSkinListView* ListView2;           // the online list, with its bar spSkinScrollBar2
    TspSkinScrollBar* spSkinScrollBar2;
    TImageList* ImageList1;
    TspSkinMemo2* Memo2;
    TspSkinScrollBar* spSkinScrollBar1;
    TspSkinEdit* Edit1;
    TspSkinButton* spSkinButton1;
    TspSkinButton *EzRgnBtn1, *EzRgnBtn2, *EzRgnBtn3, *EzRgnBtn4, *EzRgnBtn5, *EzRgnBtn6;
    TImage *Image2, *Image3, *Image4, *Image5;
    TImageList *ImageList2, *ImageList3, *ImageList4, *ImageList5;
    TLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    TEdit *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;
    TMemo* Memo1;
    TButton* Button1;
    TServerSocket* ServerSocket1;
    TTimer *Timer1, *Timer2, *Timer3, *Timer4, *TimerCapture;
    TTimer* TimerOnLine;                  // a refresh of the online list that was held back
    TActionList* ActionList1;
    TAction *ActionStartVideo, *ActionStartAudio, *ActionSendText, *ActionStopAlarm, *ActionAvailable,
        *ActionToBlackList, *ActionSetup, *ActionCustomization;

    // --- state (Parts of the broadcast controller and the operator's actions) ---
    volatile uint8_t FVideoOn = 0, FVoiceOn = 0, FAvailable = 0, FAnyAlarm = 0;
    volatile uint8_t FRecordVideo = 0, FRecordAudio = 0;
    CMultiThreadList* FContacts = nullptr;
    std::vector<int> FOnlineMap;          // row -> index in FContacts
    CContact* FSelectedContact = nullptr;
    int FSelectedRow = -1;
    std::unique_ptr<CVideo> FAutoVideo;   // the prerecorded stream while unavailable
    std::string FSetupPath;
    std::string FAvailableCaption = "Available";
    std::string FUnavailableCaption = "Unavailable";
    uint8_t FFirstShow = 0;
    volatile uint8_t FStopGrab = 1;
    int FResIndex = 0;
    uint8_t FCodecConfigure = 0;
    int FFrameWidth = 160, FFrameHeight = 120;

    // --- start-up and shut-down ---
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void Help2Click(TObject* Sender);
    void Button13Click(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char& Key);
    // The captions of section "Form1" of the language file (read, or written back).
    void Translate();
    // The help file that Help opens: the program's folder + "HELP\" + HelpFile.
    std::string HelpFilePath();
    // The port ServerSocket1 was opened on (0 when it is not listening).
    int ListeningPort();
    // Whether the connection threads' calls are served: while the window is shown
    // or hidden in the tray, until the shut-down.
    bool Serving();

    // --- the broadcast controller ---
    void InitAudio();
    void StopAudio();
    void InitVideo();
    void StopVideo();
    // Clamps a RES index to the sizes the program supports and sets the frame size.
    void SetVideoSize(int ResIndex);
    static int ClampResIndex(int ResIndex);
    // The compressor for the current frame size (InitVideo's part after the capture graph).
    bool OpenCompressor();
    bool CompressorOpen() const { return FCompressor != nullptr; }
    int32_t MyWaveInWorker(uint8_t* Data, int32_t Bytes);
    void Timer1Timer(TObject* Sender);
    void TimerCaptureTimer(TObject* Sender);
    void cap0BitmapGrabbed(TCapturedBitmap* Bitmap);
    // One grabbed picture through scale, compress, stamp, record and fan-out.
    void ProcessFrame(TBitmap* Grabbed);
    // Compresses one frame of FFrameWidth x FFrameHeight bottom-up RGB rows into
    // FOutBuffer; the output's size and key flag are then in FOutFormat and FKeyFlags.
    bool CompressBuffer(const uint8_t* Rgb);
    void Timer3Timer(TObject* Sender);
    // A recording handed over (the Customization dialog): written while the flags
    // are set. StopRecording clears the flags and frees it once no writer uses it.
    void StartRecording(CVideo* Recorder);
    void StopRecording();
    // Pushes a copy to every connected connection whose thread streams that kind;
    // a failure for one connection is logged with Prefix and the others go on.
    int FanOut(int32_t Kind, const void* Data, int32_t Length, uint8_t Key, const char* Prefix);

    // --- the operator's actions ---
    void ActionStartVideoExecute(TObject* Sender);
    void ActionStartAudioExecute(TObject* Sender);
    void ActionSendTextExecute(TObject* Sender);
    void ActionStopAlarmExecute(TObject* Sender);
    void ActionAvailableExecute(TObject* Sender);
    void ActionToBlackListExecute(TObject* Sender);
    void ActionSetupExecute(TObject* Sender);
    void ActionCustomizationExecute(TObject* Sender);
    // Chat: to a visitor's chat connections, or to every chat connection (no contact).
    void SendText(const std::string& Text, CContact* Contact);
    void UpdateAlarm(uint8_t Value, const std::string& Address, bool All);
    void UpdateOnOff(uint8_t Value);
    void ParseForMemo(const std::string& Text, TMemo* Memo);
    void Timer2Timer(TObject* Sender);
    void Timer4Timer(TObject* Sender);
    // The online list (rows built from the contacts that have a live stream).
    void UpdateOnLine();
    // Asks for UpdateOnLine: at once, or when the last refresh is too recent, once
    // when the interval has passed (many visitors coming and going make one refresh).
    void RequestUpdateOnLine();
    void TimerOnLineTimer(TObject* Sender);
    static uint8_t CallingMark(CContact* c);
    // The online list is rebuilt at most once in this many ms while visitors come and go.
    static DWORD OnLineUpdateInterval;
    void ListView2Data(TObject* Sender, TListItem* Item);
    void ListView2DrawItem(TCustomListView* Sender, TListItem* Item, TRect Rect, TOwnerDrawState State);
    void ListView2SelectItem(TObject* Sender, TListItem* Item, bool Selected);
    void ServerSocket1GetThread(TObject* Sender, TServerClientWinSocket* ClientSocket,
                                TServerClientThread*& SocketThread);

    // --- IMainWindowLink: the connection threads' calls, on the GUI thread ---
    bool LinkGetOnline() override;
    void LinkUpdateOnLine() override;
    void LinkSendText(const std::string& Text, CContact* Contact) override;
    void LinkUpdateAlarm(uint8_t Value, const std::string& Address) override;

private:
    void CreateComponents();
    void CreateActions();
    void CreateMenu();
    void CreateLamps();
    void CreateSkinComponents();
    void LoadStartupSkin();
    TspSkinButton* NewButton(const char* Name, int Left, int Top, int Width, TAction* Action);
    bool LoadDefaultSkin();
    void DrawLamp(TImage* Image, TImageList* Images, bool On);
    void UpdateLamps();
    void StartUp();
    void ShutDown();
    bool OpenServer();
    void CheckAdminPassword();
    void ConfigureCapture(const std::string& Device);
    int AutoVideoState();
    // The operator's line to one visitor: pushed to its chat connections and, when
    // it reached one, appended to the history.
    int SendToVisitor(const std::string& Text, CContact* Contact);
    void AddMemoLine(const std::string& Text);
    void ShowContact(int Row);
    void ClearDetails();
    void RecordPayload(int32_t Kind, const void* Data, int32_t Length, uint8_t Flag, bool On);
    static int32_t WaveInCallback(uint8_t* Data, int32_t Bytes, DWORD_PTR User);

    // Sound: the encoder has no lock of its own; every use is made under FEncoderLock.
    std::unique_ptr<CWaveIn> FWaveIn;
    std::unique_ptr<COggEncoder> FEncoder;
    CMultiThreadClass FEncoderLock;
    // The recording is written from the sound thread and the GUI thread; its
    // pointer is taken and dropped only under this lock.
    std::unique_ptr<CVideo> FRecorder;
    CMultiThreadClass FRecorderLock;
    // Video compression.
    HIC FCompressor = nullptr;
    BITMAPINFOHEADER FInFormat = {};
    std::vector<uint8_t> FOutFormat;      // the compressor's output format (a BITMAPINFOHEADER and more)
    std::vector<uint8_t> FOutBuffer;
    std::vector<uint8_t> FFrameBuffer;    // the rows handed to the compressor
    std::vector<uint8_t> FPayload;        // stamp + compressed frame
    LONG FFrameNumber = 0;
    DWORD FKeyFlags = 0;
    DWORD FChunkId = 0;
    std::unique_ptr<TBitmap> FGrabImage;  // the grabbed picture at the frame size
    bool FClosing = false;                // the shut-down has begun
    bool FUpdatingList = false;           // the online list is being rebuilt by the program
    // What the online list shows (its rows' visitors and calling marks, its
    // selection): a rebuild that would show the same again is skipped.
    struct TOnLineView {
        std::vector<CContact*> Rows;
        std::vector<uint8_t> Marks;
        int Row = -1;
        CContact* Selected = nullptr;
        bool operator==(const TOnLineView& o) const
        {
            return Rows == o.Rows && Marks == o.Marks && Row == o.Row && Selected == o.Selected;
        }
    };
    TOnLineView FOnLineShown;
    bool FOnLineShownValid = false;
    DWORD FLastOnLineUpdate = 0;
    bool FScheduleInvalidLogged = false;
    bool FAutoVideoStateLogged = false;
};

extern TForm1* Form1;
// The server socket of ServerSocket1 once the main window has been shown; the
// fan-out loops walk its connections.
extern TServerWinSocket* ServerWinSocket;
