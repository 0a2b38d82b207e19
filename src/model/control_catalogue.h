#pragma once
// The settings controls by name, for front ends without the window (omvi-cli set / config): how
// a value is typed, what it sends, and what the window would show for a configuration.
//
// Values are typed with a point as the decimal separator. Lists (sets) are separated by blanks,
// commas or semicolons. Selections take the item text (case does not matter) or the item index.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "model/config_image.h"
#include "model/expected.h"
#include "model/settings_commands.h"

namespace omvi::model {

enum class ControlKind { Spinner, Combo, CheckBox, RadioPair, Set };

// Spinner: {value}; combo and radio pair: {item index}; check box: {0 or 1}; set: the values
// in the control's order (for the level thresholds: {type item, t1, t2, t3, t4}).
using ControlValue = QList<double>;

struct CommandContext {
    QString variant;
    // The configuration as last read, for the controls whose command depends on it (cylinder
    // mask of the fuel switch, the shorter lists of a four-cylinder controller).
    const ConfigValues* config = nullptr;
};

class Control {
  public:
    using ParseFn = std::function<Expected<ControlValue>(const Control&, const QString& text,
                                                         const QString& variant)>;
    using CommandFn =
        std::function<Expected<SettingCommand>(const ControlValue&, const CommandContext&)>;
    using ShownFn = std::function<std::optional<QString>(const ConfigValues&)>;

    QString name;
    QStringList aliases;  // further names that find it (the two buttons of a radio pair)
    ControlKind kind = ControlKind::Spinner;
    QString description;
    // Spinners and the numbers of a set.
    double minimum = 0;
    double maximum = 0;
    double step = 1;
    int decimals = 0;
    // Combo boxes, radio pairs, and the selections of a set.
    QStringList items;
    bool readOnly = false;  // shown, but the window never lets it change
    bool maximumByVariant = false;
    QString setFormat;  // sets: what the list holds

    // The upper limit, which for the switch-over time depends on the firmware.
    double maximumFor(const QString& variant) const;
    // What may be typed, for help texts and error messages.
    QString accepts(const QString& variant) const;

    Expected<ControlValue> parse(const QString& text, const QString& variant = QString()) const;
    Expected<SettingCommand> command(const ControlValue& value,
                                     const CommandContext& context) const;
    // The value as the window shows it; none when the configuration lacks it.
    std::optional<QString> shown(const ConfigValues& config) const;

    ParseFn parseFn;
    CommandFn commandFn;
    ShownFn shownFn;
};

const std::vector<Control>& controlCatalogue();
// Case-insensitive; the error names the known controls.
Expected<const Control*> findControl(const QString& name);

}  // namespace omvi::model
