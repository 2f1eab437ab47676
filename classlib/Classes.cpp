#include "Classes.h"
#include "Streams.h"
#include <algorithm>

// ---- TPersistent ----
void TPersistent::Assign(TPersistent* Source)
{
    if (Source) Source->AssignTo(this);
    else throw EConvertError("Cannot assign a nil to an object");
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    (void)Dest;
    throw EConvertError("Cannot assign these objects to each other");
}

// ---- TList ----
static void ListIndexError(int Index)
{
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int TList::Add(void* Item)
{
    FItems.push_back(Item);
    return GetCount() - 1;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > GetCount()) ListIndexError(Index);
    FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
    FItems.erase(FItems.begin() + Index);
}

void* TList::Extract(void* Item)
{
    int i = IndexOf(Item);
    if (i < 0) return nullptr;
    FItems.erase(FItems.begin() + i);
    return Item;
}

int TList::Remove(void* Item)
{
    int i = IndexOf(Item);
    if (i >= 0) FItems.erase(FItems.begin() + i);
    return i;
}

int TList::IndexOf(void* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TList::Clear() { FItems.clear(); }

void TList::Exchange(int a, int b)
{
    if (a < 0 || a >= GetCount()) ListIndexError(a);
    if (b < 0 || b >= GetCount()) ListIndexError(b);
    std::swap(FItems[a], FItems[b]);
}

void TList::Move(int from, int to)
{
    if (from == to) return;
    void* item = Get(from);
    FItems.erase(FItems.begin() + from);
    Insert(to, item);
}

void TList::Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }

void* TList::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
    return FItems[Index];
}

void TList::Put(int Index, void* Item)
{
    if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
    FItems[Index] = Item;
}

void TList::SetCount(int n)
{
    if (n < 0) throw EListError("List count out of bounds (" + IntToStr(n) + ")");
    FItems.resize(n, nullptr);
}

void TList::Sort(int (*Compare)(void*, void*))
{
    std::stable_sort(FItems.begin(), FItems.end(), [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}

// ---- TComponent ----
TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Tell everyone who holds a reference to us, then free what we own.
    while (!FFreeNotifies.empty()) {
        TComponent* c = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying() { FComponentState |= csDestroying; }

void TComponent::SetName(const std::string& NewName)
{
    if (NewName == FName) return;
    if (!NewName.empty() && FOwner) {
        TComponent* other = FOwner->FindComponent(NewName);
        if (other && other != this)
            throw EComponentError("A component named " + NewName + " already exists");
    }
    FName = NewName;
}

void TComponent::SetLoading(bool on)
{
    if (on) FComponentState |= csLoading;
    else FComponentState &= ~csLoading;
}

TComponent* TComponent::FindComponent(const std::string& AName) const
{
    if (AName.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameText(c->FName, AName)) return c;
    return nullptr;
}

int TComponent::GetComponentIndex() const
{
    if (!FOwner) return -1;
    auto& v = FOwner->FComponents;
    auto it = std::find(v.begin(), v.end(), this);
    return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    AComponent->FOwner = nullptr;
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    // Last created first; each destructor removes itself from our list.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        c->BeforeDestruction();
        Remove(c);
        delete c;
    }
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    auto& other = AComponent->FFreeNotifies;
    if (std::find(other.begin(), other.end(), this) == other.end()) other.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
    if (AComponent) {
        auto& other = AComponent->FFreeNotifies;
        other.erase(std::remove(other.begin(), other.end(), this), other.end());
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Owned components hear about their siblings coming and going.
    std::vector<TComponent*> owned = FComponents;
    for (TComponent* c : owned)
        if (c != AComponent) c->Notification(AComponent, Operation);
}

// ---- TStrings ----
void TStrings::Put(int Index, const std::string& S)
{
    TObject* o = GetObject(Index);
    Delete(Index);
    Insert(Index, S);
    PutObject(Index, o);
}

int TStrings::Add(const std::string& S)
{
    int i = GetCount();
    Insert(i, S);
    return i;
}

int TStrings::AddObject(const std::string& S, TObject* AObject)
{
    int i = Add(S);
    PutObject(i, AObject);
    return i;
}

void TStrings::AddStrings(const TStrings* Strings)
{
    BeginUpdate();
    for (int i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
    EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (CompareStrings(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const
{
    for (int i = 0; i < GetCount(); ++i) {
        std::string s = Get(i);
        size_t eq = s.find('=');
        if (eq != std::string::npos && CompareStrings(s.substr(0, eq), Name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

void TStrings::Exchange(int a, int b)
{
    std::string sa = Get(a), sb = Get(b);
    TObject *oa = GetObject(a), *ob = GetObject(b);
    BeginUpdate();
    Put(a, sb); PutObject(a, ob);
    Put(b, sa); PutObject(b, oa);
    EndUpdate();
}

void TStrings::Move(int from, int to)
{
    if (from == to) return;
    BeginUpdate();
    std::string s = Get(from);
    TObject* o = GetObject(from);
    Delete(from);
    Insert(to, s);
    PutObject(to, o);
    EndUpdate();
}

std::string TStrings::GetText() const
{
    std::string r;
    for (int i = 0; i < GetCount(); ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const std::string& Value)
{
    BeginUpdate();
    Clear();
    size_t i = 0, n = Value.size();
    while (i < n) {
        size_t j = i;
        while (j < n && Value[j] != '\r' && Value[j] != '\n') ++j;
        Add(Value.substr(i, j - i));
        if (j < n && Value[j] == '\r') ++j;
        if (j < n && Value[j] == '\n') ++j;
        i = j;
    }
    EndUpdate();
}

std::string TStrings::GetCommaText() const
{
    std::string r;
    for (int i = 0; i < GetCount(); ++i) {
        std::string s = Get(i);
        bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
        if (i) r += ',';
        if (quote) r += '"' + StringReplaceAll(s, "\"", "\"\"") + '"';
        else r += s;
    }
    return r;
}

void TStrings::SetCommaText(const std::string& Value)
{
    BeginUpdate();
    Clear();
    size_t i = 0, n = Value.size();
    while (i < n) {
        while (i < n && Value[i] == ' ') ++i;
        if (i >= n) break;
        std::string item;
        if (Value[i] == '"') {
            ++i;
            while (i < n) {
                if (Value[i] == '"') {
                    if (i + 1 < n && Value[i + 1] == '"') { item += '"'; i += 2; continue; }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
            while (i < n && Value[i] != ',' && Value[i] != ' ') ++i;
        } else {
            while (i < n && Value[i] != ',' && Value[i] != ' ') item += Value[i++];
        }
        Add(item);
        while (i < n && Value[i] == ' ') ++i;
        if (i < n && Value[i] == ',') ++i;
    }
    EndUpdate();
}

std::string TStrings::GetName(int Index) const
{
    std::string s = Get(Index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TStrings::GetValueFromIndex(int Index) const
{
    std::string s = Get(Index);
    size_t eq = s.find('=');
    return eq == std::string::npos ? std::string() : s.substr(eq + 1);
}

std::string TStrings::GetValue(const std::string& Name) const
{
    int i = IndexOfName(Name);
    return i < 0 ? std::string() : GetValueFromIndex(i);
}

void TStrings::SetValue(const std::string& Name, const std::string& Value)
{
    int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(Name + "=" + Value);
    } else {
        Put(i, Name + "=" + Value);
    }
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& FileName)
{
    TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&f);
}

void TStrings::SaveToFile(const std::string& FileName) const
{
    TFileStream f(FileName, fmCreate);
    SaveToStream(&f);
}

void TStrings::LoadFromStream(TStream* Stream)
{
    long long size = Stream->GetSize() - Stream->GetPosition();
    std::string buf(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (!buf.empty()) Stream->ReadBuffer(&buf[0], static_cast<long>(buf.size()));
    SetText(buf);
}

void TStrings::SaveToStream(TStream* Stream) const
{
    std::string t = GetText();
    if (!t.empty()) Stream->WriteBuffer(t.data(), static_cast<long>(t.size()));
}

void TStrings::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TStrings*>(Source)) {
        BeginUpdate();
        Clear();
        AddStrings(s);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings* other) const
{
    if (GetCount() != other->GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (Get(i) != other->Get(i)) return false;
    return true;
}

// ---- TStringList ----
TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    Clear();
}

void TStringList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= GetCount())
        throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
}

std::string TStringList::Get(int Index) const
{
    CheckIndex(Index);
    return FList[Index].S;
}

void TStringList::Put(int Index, const std::string& S)
{
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(Index);
    Changing();
    FList[Index].S = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index);
    return FList[Index].Obj;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index);
    Changing();
    FList[Index].Obj = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* O)
{
    Changing();
    FList.insert(FList.begin() + Index, Item{S, O});
    Changed();
}

void TStringList::Insert(int Index, const std::string& S)
{
    if (FSorted) throw EStringListError("Operation not allowed on sorted list");
    if (Index < 0 || Index > GetCount())
        throw EStringListError("List index out of bounds (" + IntToStr(Index) + ")");
    InsertItem(Index, S, nullptr);
}

int TStringList::Add(const std::string& S)
{
    if (!FSorted) {
        InsertItem(GetCount(), S, nullptr);
        return GetCount() - 1;
    }
    int i;
    if (Find(S, i)) {
        if (Duplicates == dupIgnore) return i;
        if (Duplicates == dupError) throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(i, S, nullptr);
    return i;
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index);
    Changing();
    TObject* o = FList[Index].Obj;
    FList.erase(FList.begin() + Index);
    if (OwnsObjects) delete o;
    Changed();
}

void TStringList::Clear()
{
    if (FList.empty()) return;
    Changing();
    std::vector<Item> old;
    old.swap(FList);
    if (OwnsObjects)
        for (auto& it : old) delete it.Obj;
    Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const
{
    return FCaseSensitive ? a.compare(b) : CompareText(a, b);
}

int TStringList::IndexOf(const std::string& S) const
{
    if (!FSorted) return TStrings::IndexOf(S);
    int i;
    return Find(S, i) ? i : -1;
}

bool TStringList::Find(const std::string& S, int& Index) const
{
    int lo = 0, hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int c = CompareStrings(FList[mid].S, S);
        if (c < 0) lo = mid + 1;
        else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (Duplicates != dupAccept) lo = mid;
            }
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort()
{
    Changing();
    std::stable_sort(FList.begin(), FList.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.S, b.S) < 0; });
    Changed();
}

void TStringList::CustomSort(int (*Compare)(TStringList*, int, int))
{
    // Simple insertion sort through the index-based comparer, as the library's contract asks.
    Changing();
    for (int i = 1; i < GetCount(); ++i)
        for (int j = i; j > 0 && Compare(this, j - 1, j) > 0; --j) std::swap(FList[j - 1], FList[j]);
    Changed();
}

void TStringList::SetSorted(bool v)
{
    if (v == FSorted) return;
    if (v) Sort();
    FSorted = v;
}

void TStringList::SetCaseSensitive(bool v)
{
    if (v == FCaseSensitive) return;
    FCaseSensitive = v;
    if (FSorted) Sort();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating) Changing();
    else Changed();
}

void TStringList::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TStringList::Changing()
{
    if (FUpdateCount == 0 && OnChanging) OnChanging(this);
}
