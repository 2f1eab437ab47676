// Every field of a skin record as "key=value" text, through the records' own field
// visitor, so two records compare key by key and a difference names its key.
#pragma once
#include "SkinFields.h"
#include <string>
#include <vector>

class TspSkinSnapshot : public TspSkinFieldVisitor {
public:
    std::vector<std::string> Fields;
    void Int(const char* Key, int& Value, int) override { Add(Key, std::to_string(Value)); }
    void Bool(const char* Key, bool& Value) override { Add(Key, Value ? "1" : "0"); }
    void Str(const char* Key, std::string& Value, const char*) override { Add(Key, Value); }
    void Rect(const char* Key, TRect& R) override
    {
        Add(Key, std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
                     std::to_string(R.bottom));
    }
    void Point(const char* Key, TPoint& P) override { Add(Key, std::to_string(P.x) + "," + std::to_string(P.y)); }
    void FontStyles(const char* Key, TFontStyles& V) override { Add(Key, std::to_string(int(V))); }
    void Alignment(const char* Key, TAlignment& V) override { Add(Key, std::to_string(int(V))); }
    void MorphKind(const char* Key, TMorphKind& V) override { Add(Key, std::to_string(int(V))); }
    void StdCommand(const char* Key, TStdCommand& V) override { Add(Key, std::to_string(int(V))); }
    void FramesPlacement(const char* Key, TFramesPlacement& V) override { Add(Key, std::to_string(int(V))); }
    void RegulatorKind(const char* Key, TRegulatorKind& V) override { Add(Key, std::to_string(int(V))); }
    void GaugeKind(const char* Key, TGaugeKind& V) override { Add(Key, std::to_string(int(V))); }
    void InActiveEffect(const char* Key, TspInActiveEffect& V) override { Add(Key, std::to_string(int(V))); }
    void Lines(const char* Key, TStringList& V) override
    {
        std::string all;
        for (int i = 0; i < V.GetCount(); ++i)
            all += V[i] + "|";
        Add(Key, all);
    }

private:
    void Add(const char* Key, const std::string& Value) { Fields.push_back(std::string(Key) + "=" + Value); }
};

template <class Record> std::vector<std::string> Snapshot(Record& R)
{
    TspSkinSnapshot s;
    R.VisitFields(s);
    return s.Fields;
}
