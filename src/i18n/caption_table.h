#pragma once
// Where the language table's texts go on the two windows: one entry per control property. Data,
// not code: the applier walks it for every language switch. Entries name controls that may not
// exist (yet); those are skipped.

#include <QString>
#include <span>
#include <string_view>

namespace omvi::i18n {

enum class CaptionWindow { Main, Chart };

struct CaptionEntry {
    CaptionWindow window;
    std::string_view objectName;
    // A Qt property ("text", "title", "toolTip", "plainText", an instrument's "signalName1",
    // "offText", "unit" ...) or one handled by the applier itself: "tabText" (the caption of the
    // tab whose page has the name), "leftAxisTitle", "bottomAxisTitle" (a chart's axes) and
    // "seriesName" (a chart series named by objectName).
    std::string_view property;
    int row;
    // Written around the row's text, for captions built from a fixed part and a translated one.
    std::string_view prefix = {};
    std::string_view suffix = {};
};

std::span<const CaptionEntry> captionTable();

// The caption an entry gives for a row text.
QString composeCaption(const CaptionEntry& entry, const QString& text);

// Status-bar panel 1 after a switch: the new label followed by what stood after the old label,
// i.e. the old text from the second character after its first colon (the last connection date).
QString relabelLastConnection(const QString& oldText, const QString& label);

}  // namespace omvi::i18n
