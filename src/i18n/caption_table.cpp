#include "i18n/caption_table.h"

#include <array>

namespace omvi::i18n {

namespace {

constexpr CaptionWindow M = CaptionWindow::Main;
constexpr CaptionWindow C = CaptionWindow::Chart;

// clang-format off
constexpr std::array kEntries{
    CaptionEntry{M, "BATERY_vpp", "signalName1", 24},
    CaptionEntry{M, "Skala_PB_time", "signalName2", 25},
    CaptionEntry{M, "Label4", "text", 26},
    CaptionEntry{M, "aaa", "text", 27},
    CaptionEntry{M, "GroupBox4", "title", 28},
    CaptionEntry{M, "Zaplon_panel", "title", 29},
    CaptionEntry{C, "Zaplon_panel", "title", 29},
    CaptionEntry{M, "GroupBox8", "title", 30},
    CaptionEntry{M, "TempWoda", "signalName1", 31},
    CaptionEntry{M, "TempGaz", "signalName1", 32},
    CaptionEntry{M, "gaz_na_benzyna", "unit", 32, "% "},
    CaptionEntry{M, "GroupBox5", "title", 33},
    CaptionEntry{M, "Polacz_switch", "offText", 34},
    CaptionEntry{M, "TabSheet1", "tabText", 35},
    CaptionEntry{M, "Label35", "text", 36},
    CaptionEntry{M, "Label36", "text", 37},
    CaptionEntry{M, "Label37", "text", 38},
    CaptionEntry{M, "Label40", "text", 41},
    CaptionEntry{M, "GroupBox12", "title", 56},
    CaptionEntry{M, "GroupBox15", "title", 57},
    CaptionEntry{M, "GroupBox19", "title", 58},
    CaptionEntry{M, "Label20", "text", 59},
    CaptionEntry{M, "Label21", "text", 60},
    CaptionEntry{M, "Label22", "text", 61},
    CaptionEntry{M, "GroupBox14", "title", 62},
    CaptionEntry{M, "P_pracy_changer_label", "text", 63},
    CaptionEntry{M, "TabSheet3", "tabText", 64},
    CaptionEntry{M, "Label28", "text", 65},
    CaptionEntry{C, "Mapa_TabSheet", "tabText", 66},
    CaptionEntry{C, "Chart1", "leftAxisTitle", 67},
    CaptionEntry{C, "Chart2", "leftAxisTitle", 67},
    CaptionEntry{C, "PaintBox1", "toolTip", 68},
    CaptionEntry{C, "Series1", "seriesName", 69},
    CaptionEntry{C, "Series2", "seriesName", 70},
    CaptionEntry{C, "Series3", "seriesName", 71},
    CaptionEntry{C, "Series4", "seriesName", 72},
    CaptionEntry{C, "Series5", "seriesName", 73},
    CaptionEntry{C, "Series7", "seriesName", 74},
    CaptionEntry{C, "Series6", "seriesName", 75},
    CaptionEntry{C, "Series8", "seriesName", 76},
    CaptionEntry{C, "BitBtn1", "text", 77},
    CaptionEntry{C, "BitBtn1a", "text", 77},
    CaptionEntry{C, "BitBtn2", "text", 78},
    CaptionEntry{C, "BitBtn2a", "text", 78},
    CaptionEntry{M, "Label19", "text", 79},
    CaptionEntry{M, "Label18", "text", 80},
    CaptionEntry{M, "Label18_OBD", "text", 80},
    CaptionEntry{C, "Oscyloskop_TabSheet", "tabText", 81},
    CaptionEntry{C, "OSC_PETROL_LPG", "text", 82},
    CaptionEntry{C, "TEMP_LPG_RED", "text", 83},
    CaptionEntry{M, "Label5", "text", 85},
    CaptionEntry{M, "Label6", "text", 86},
    CaptionEntry{M, "Label3", "text", 86},
    CaptionEntry{M, "GroupBox17", "title", 88},
    CaptionEntry{M, "Label24", "text", 89},
    CaptionEntry{M, "T_zwloki_changer_Label", "text", 90, "ms\n"},
    CaptionEntry{M, "GroupBox13", "title", 91},
    CaptionEntry{M, "Temp_LPG_changer_label", "text", 92, "°C\n"},
    CaptionEntry{M, "T_przel_to_LPG_label", "text", 93, "s\n"},
    CaptionEntry{M, "T_CYL_seqence_label", "text", 94, "ms\n"},
    CaptionEntry{M, "GroupBox18", "title", 95},
    CaptionEntry{M, "Label16", "text", 96},
    CaptionEntry{M, "Label17", "text", 97},
    CaptionEntry{M, "Pliki1", "title", 103},
    CaptionEntry{M, "Odczyt1", "text", 104},
    CaptionEntry{M, "Zapis1", "text", 105},
    CaptionEntry{M, "PortCOM", "title", 106},
    CaptionEntry{M, "polacz", "text", 107},
    CaptionEntry{M, "rozlacz", "text", 108},
    CaptionEntry{M, "Jazyk", "title", 109},
    CaptionEntry{M, "Label34", "text", 110},
    CaptionEntry{M, "GroupBox6", "title", 111},
    CaptionEntry{M, "TabSheet5", "tabText", 112},
    CaptionEntry{M, "TabSheet12", "tabText", 113},
    CaptionEntry{M, "Button_start", "text", 114},
    CaptionEntry{M, "Button_stop", "text", 115},
    CaptionEntry{M, "Panel_korekta", "title", 116},
    CaptionEntry{M, "TabSheet10", "tabText", 117},
    CaptionEntry{M, "Data_pierwsza_adapt_Label", "text", 119},
    CaptionEntry{M, "Data_ostatnia_adapt_Label", "text", 120},
    CaptionEntry{M, "Korekcja_box", "title", 121},
    CaptionEntry{M, "Praca_na_gazie_Box", "title", 122},
    CaptionEntry{M, "Praca_na_benzynie_Box", "title", 123},
    CaptionEntry{M, "Do_przegladu_Box", "title", 124},
    CaptionEntry{M, "Za_godz_Label", "text", 125},
    CaptionEntry{M, "Za_km_Label", "text", 126},
    CaptionEntry{M, "Ustaw_przeglad_Button", "text", 127},
    CaptionEntry{M, "km_Label", "text", 128},
    CaptionEntry{M, "godz_Label", "text", 133},
    CaptionEntry{M, "Kasuj_alarm_BitBtn", "toolTip", 134},
    CaptionEntry{M, "Min_in_time", "text", 136},
    CaptionEntry{M, "Mazda", "text", 137},
    CaptionEntry{M, "Grzalka_CheckBox", "text", 138},
    CaptionEntry{M, "Full_group_CheckBox", "text", 140},
    CaptionEntry{M, "Przebiegi_button", "offText", 141},
    CaptionEntry{C, "Kor_rpm_Sheet", "tabText", 142},
    CaptionEntry{C, "kor_temp_Sheet", "tabText", 143},
    CaptionEntry{C, "Chart3", "leftAxisTitle", 144},
    CaptionEntry{C, "Chart3", "bottomAxisTitle", 145},
    CaptionEntry{C, "Zmieniaj_obok_CheckBox", "text", 146},
    CaptionEntry{M, "OBD_ref_Button", "text", 147},
    CaptionEntry{M, "blady_oczek_label", "text", 148},
    CaptionEntry{C, "RPM_Obciazenie", "text", 149, "PRM / ", " [%]"},
    CaptionEntry{M, "Help_Memo", "plainText", 150},
    CaptionEntry{M, "OMVI_Linl_label", "text", 151},
    CaptionEntry{M, "OMVI_Linl_new_label", "text", 152},
    CaptionEntry{M, "Label23", "text", 154},
    CaptionEntry{M, "Label45", "text", 156},
    CaptionEntry{M, "Dobor_Dysz_BitBtn", "onText", 157},
    CaptionEntry{M, "Dobor_Dysz_BitBtn", "offText", 157},
};
// clang-format on

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::span<const CaptionEntry> captionTable() {
    return kEntries;
}

QString composeCaption(const CaptionEntry& entry, const QString& text) {
    return fromView(entry.prefix) + text + fromView(entry.suffix);
}

QString relabelLastConnection(const QString& oldText, const QString& label) {
    // No colon means no label and so no date to keep. The whole rest is kept: a date and time in
    // a long locale format can exceed any fixed length.
    const qsizetype colon = oldText.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return label;
    }
    return label + oldText.mid(colon + 2);
}

}  // namespace omvi::i18n
