// TspSkinDateEdit: the skinned button edit for a date. Its mask follows the
// locale's short date format and does the typing; a complete valid date typed in sets Date, and the
// ellipsis button drops a month calendar (TspPopupCalendar) below the edit.
// The calendar never takes the activation, so the edit keeps the focus.
#pragma once
#include "SkinEdits.h"
#include "SkinMonthCalendar.h"
#include <string>
#include <vector>

class TspPopupCalendar : public TspSkinMonthCalendar {
public:
    explicit TspPopupCalendar(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
};

class TspSkinDateEdit : public TspSkinCustomEdit {
public:
    explicit TspSkinDateEdit(TComponent* AOwner);
    ~TspSkinDateEdit() override;

    TDateTime GetDate() const;
    void SetDate(TDateTime Value);
    bool GetTodayDefault() const { return FTodayDefault; }
    void SetTodayDefault(bool Value);
    int GetCalendarWidth() const;
    void SetCalendarWidth(int Value);
    int GetCalendarHeight() const;
    void SetCalendarHeight(int Value);
    TFont* GetCalendarFont() const;
    void SetCalendarFont(TFont* Value);
    TspDaysOfWeek GetFirstDayOfWeek() const;
    void SetFirstDayOfWeek(TspDaysOfWeek Value);
    bool CalendarAlphaBlend = false;
    BYTE CalendarAlphaBlendValue = 0;
    bool CalendarAlphaBlendAnimation = false;
    TNotifyEvent OnDateChange;

    void Loaded() override;
    std::string GetDateMask();
    bool IsDateInput() { return IsValidText(GetText()); }
    bool IsValidText(const std::string& S);
    void CheckValidDate();
    // The date of a text with the month by name; false when it is no real date.
    bool MyStrToDate(const std::string& S, TDateTime& Date);
    int DecodeMonth(const std::string& S);
    bool IsMonth(const std::string& S);
    std::string ExtactMonth(TDateTime Date);
    bool IsOnlyNumbers(const std::string& S);

    void DropDown();
    void CloseUp(bool Accept);
    void ButtonClick(TObject* Sender);
    void CalendarClick(TObject* Sender);
    TspPopupCalendar* GetCalendar() const { return FMonthCalendar; }
    bool CalendarShown() const;
    // Where the calendar CalW x CalH shows for an edit whose top-left screen
    // corner is TopLeft: below the edit, or above it when the work area ends
    // first, and moved sideways to stay inside it.
    static TPoint DropPoint(const TPoint& TopLeft, int EditHeight, int CalW, int CalH, const TRect& WorkArea);

protected:
    void Change() override;
    void WndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMCancelMode(TControl* Sender);

private:
    struct Roles {
        int Day = 0, Month = 0, Year = 0;
        bool NamedMonth = false;
    };
    std::vector<std::string> SplitParts(const std::string& S);
    std::string Template();
    Roles TemplateRoles();
    // The text of a date laid out for the mask (numbers padded to their places).
    std::string DateText(TDateTime Value);
    void SetTextFromDate(TDateTime Value);
    void ApplyMask();
    void DoDateChange();

    TspPopupCalendar* FMonthCalendar = nullptr;   // owned through the component tree
    bool FStopCheck = false;
    bool FTodayDefault = false;
    bool FLayered = false;
};
