// The non-visual core of the class library: objects, components with owners,
// pointer lists, string lists and events.
//
// Properties are plain accessor pairs (GetX/SetX) or public fields where setting
// them has no side effect; events are std::function members named OnX.
#pragma once
#include <windows.h>
#include <functional>
#include <set>
#include <string>
#include <vector>
#include "SysUtils.h"

class TObject;
class TComponent;
typedef std::function<void(TObject* Sender)> TNotifyEvent;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
    // Messages dispatched to objects (Dispatch of the windowed controls) end here.
    virtual void DefaultHandler(void* Message) { (void)Message; }
    // Runs while the whole object still exists, before its destructors (a form's
    // OnDestroy). Free calls it, and owners call it for what they own.
    virtual void BeforeDestruction() {}
    void Free() { BeforeDestruction(); delete this; }
};

class TPersistent : public TObject {
public:
    // Copies the state of Source; the base refuses, as the library does.
    virtual void Assign(TPersistent* Source);
protected:
    virtual void AssignTo(TPersistent* Dest);
};

// A growable array of untyped pointers.
class TList : public TObject {
public:
    ~TList() override { TList::Clear(); }
    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    void* Extract(void* Item);       // removes the first occurrence; null when absent
    int Remove(void* Item);          // index it had, or -1
    int IndexOf(void* Item) const;
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);
    void Pack();                      // drops null entries
    void* First() const { return Get(0); }
    void* Last() const { return Get(GetCount() - 1); }
    void* Get(int Index) const;
    void Put(int Index, void* Item);
    void* operator[](int Index) const { return Get(Index); }
    int GetCount() const { return static_cast<int>(FItems.size()); }
    int Count() const { return GetCount(); }
    void SetCount(int n);
    void Sort(int (*Compare)(void*, void*));
protected:
    std::vector<void*> FItems;
};

enum TOperation { opInsert, opRemove };
enum TComponentStateFlag {
    csLoading = 1, csReading = 2, csWriting = 4, csDestroying = 8, csDesigning = 16,
    csAncestor = 32, csUpdating = 64, csFixups = 128
};
typedef unsigned TComponentState;

// A component belongs to its owner, which frees it; components that refer to
// others without owning them ask for a removal notification (FreeNotification).
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* GetOwner() const { return FOwner; }
    TComponent* Owner() const { return FOwner; }
    const std::string& GetName() const { return FName; }
    virtual void SetName(const std::string& NewName);
    TComponentState GetComponentState() const { return FComponentState; }
    bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
    bool IsLoading() const { return (FComponentState & csLoading) != 0; }
    bool IsDesigning() const { return (FComponentState & csDesigning) != 0; }
    void SetLoading(bool on);          // the reading phase of a component's set-up

    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* GetComponent(int Index) const { return FComponents.at(Index); }
    TComponent* FindComponent(const std::string& AName) const;
    int GetComponentIndex() const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);
    // Called once the set-up is complete (after construction and property setting).
    virtual void Loaded() { FComponentState &= ~csLoading; }
    void BeforeDestruction() override { Destroying(); }

    int Tag = 0;

protected:
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    void Destroying();
    TComponentState FComponentState = 0;

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    TComponent* FOwner = nullptr;
    std::string FName;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStream;

// An abstract list of strings with an object per string.
class TStrings : public TPersistent {
public:
    virtual int GetCount() const = 0;
    int Count() const { return GetCount(); }
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObject(int Index) const { (void)Index; return nullptr; }
    virtual void PutObject(int Index, TObject* AObject) { (void)Index; (void)AObject; }
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    std::string operator[](int Index) const { return Get(Index); }
    std::string Strings(int Index) const { return Get(Index); }

    virtual int Add(const std::string& S);
    int AddObject(const std::string& S, TObject* AObject);
    void AddStrings(const TStrings* Strings);
    void Append(const std::string& S) { Add(S); }
    virtual int IndexOf(const std::string& S) const;
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(TObject* AObject) const;
    void Exchange(int a, int b);
    void Move(int from, int to);

    // Text: the lines joined with CR LF; setting it splits at CR LF, CR or LF.
    std::string GetText() const;
    virtual void SetText(const std::string& Value);
    std::string GetCommaText() const;
    void SetCommaText(const std::string& Value);
    // Name=Value access.
    std::string GetName(int Index) const;
    std::string GetValueFromIndex(int Index) const;
    std::string GetValue(const std::string& Name) const;
    void SetValue(const std::string& Name, const std::string& Value);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;

    void Assign(TPersistent* Source) override;
    bool Equals(const TStrings* other) const;

protected:
    virtual void SetUpdateState(bool Updating) { (void)Updating; }
    virtual int CompareStrings(const std::string& a, const std::string& b) const { return CompareText(a, b); }
    int FUpdateCount = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const std::string& S) override;
    int IndexOf(const std::string& S) const override;
    // Binary search in a sorted list; Index receives the place of S or where it would go.
    bool Find(const std::string& S, int& Index) const;
    virtual void Sort();
    void CustomSort(int (*Compare)(TStringList*, int, int));

    bool GetSorted() const { return FSorted; }
    void SetSorted(bool v);
    bool GetCaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool v);
    TDuplicates Duplicates = dupIgnore;
    bool OwnsObjects = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item { std::string S; TObject* Obj; };
    void CheckIndex(int Index) const;
    void InsertItem(int Index, const std::string& S, TObject* O);
    std::vector<Item> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
