// TspSkinMonthCalendar: a skinned panel showing one month as a grid of day
// numbers under a title and a row of weekday names, with four speed buttons
// that step the month and the year. A left click on a day number selects it.
#pragma once
#include "DateRules.h"
#include "SkinPanel.h"

class TspSkinSpeedButton;

enum TspDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

class TspSkinMonthCalendar : public TspSkinPanel {
public:
    explicit TspSkinMonthCalendar(TComponent* AOwner);

    TDateTime GetDate() const { return FDate; }
    void SetDate(TDateTime Value);
    bool GetTodayDefault() const { return FTodayDefault; }
    void SetTodayDefault(bool Value);
    TspDaysOfWeek GetFirstDayOfWeek() const { return FFirstDayOfWeek; }
    void SetFirstDayOfWeek(TspDaysOfWeek Value);
    TNotifyEvent OnNumberClick;

    void SetSkinData(TspSkinData* Value) override;
    void ChangeSkinData() override;
    void SetCaptionMode(bool Value) override;
    void SetDefaultCaptionHeight(int Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

    // The day number under a client point by the layout of the last drawing; 0 for none.
    WORD DayNumFromPoint(int X, int Y);
    int DaysThisMonth() const;
    // The grid column of day 1 for the date and first weekday shown (0..6).
    int FirstColumn() const;
    // The client rectangle the calendar is laid out in (frame and caption bar taken off).
    TRect CalendarRect();
    // The cell of row Row (1..6) and column Col (0..6) by the last drawing.
    TRect CellRect(int Row, int Col);
    int GridTop() const { return FGridTop; }
    TColor NumberColor() const { return FNumberColor; }
    TColor TitleColor() const { return FTitleColor; }
    TspSkinSpeedButton* Button(int Index) const { return FButtons[Index]; }   // prior year, prior month, next month, next year

    void PriorYButtonClick(TObject* Sender);
    void PriorMButtonClick(TObject* Sender);
    void NextMButtonClick(TObject* Sender);
    void NextYButtonClick(TObject* Sender);

protected:
    void Paint() override;
    void CreateControlDefaultImage(TBitmap* B) override;
    void CreateControlSkinImage(TBitmap* B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawCalendar(TCanvas* C);
    void ArangeControls();
    void OffsetMonth(int Delta);
    void OffsetYear(int Delta);

private:
    TDateTime FDate = 0;
    bool FTodayDefault = false;
    TspDaysOfWeek FFirstDayOfWeek = Sun;
    TspSkinSpeedButton* FButtons[4] = {};   // owned through the component tree
    TColor FNumberColor = 0, FTitleColor = 0;
    int FGridTop = 0, FColWidth = 0, FRowHeight = 0;
};
