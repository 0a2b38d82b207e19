#include "model/control_catalogue.h"

#include <QRegularExpression>
#include <cmath>

#include "model/code_tables.h"
#include "model/firmware_variant.h"
#include "model/number_format.h"

namespace omvi::model {

namespace {

QString number(double v, int decimals) {
    return formatFixed(v, 17, decimals);
}

QString failureText(const Control& c, const QString& message) {
    return c.name + QStringLiteral(": ") + message;
}

template <class T>
Expected<T> fail(const Control& c, const QString& message) {
    return Expected<T>::failure(failureText(c, message));
}

QStringList tokens(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

QString itemsText(const QStringList& items) {
    QStringList trimmed;
    for (const QString& item : items) {
        trimmed << item.trimmed();
    }
    return trimmed.join(QStringLiteral(" | "));
}

// An item by its text or its index.
std::optional<int> itemFor(const QStringList& items, const QString& text) {
    const QString wanted = text.simplified();
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).simplified().compare(wanted, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    bool ok = false;
    const int index = wanted.toInt(&ok);
    if (ok && index >= 0 && index < items.size()) {
        return index;
    }
    return std::nullopt;
}

Expected<double> numberIn(const Control& c, const QString& text, double minimum, double maximum,
                          int decimals) {
    const auto v = parseNumber(text);
    if (!v) {
        return fail<double>(c, QStringLiteral("\"%1\" is not a number").arg(text.trimmed()));
    }
    if (*v < minimum || *v > maximum) {
        return fail<double>(
            c, QStringLiteral("%1 is out of range %2..%3")
                   .arg(text.trimmed(), number(minimum, decimals), number(maximum, decimals)));
    }
    return *v;
}

Expected<int> itemIn(const Control& c, const QStringList& items, const QString& text) {
    const auto item = itemFor(items, text);
    if (!item) {
        return fail<int>(
            c, QStringLiteral("\"%1\" is not one of: %2").arg(text.trimmed(), itemsText(items)));
    }
    return *item;
}

// A four-cylinder controller offers only the first items of some lists.
Expected<SettingCommand> withinModel(const QString& name, int item, int fullCount,
                                     const CommandContext& context) {
    const bool four = context.config && context.config->fourCylinderModel.value_or(false);
    const int count =
        four ? (fullCount == 6 ? impulseItemCount(true) : cylinderItemCount(true)) : fullCount;
    if (item >= count) {
        return Expected<SettingCommand>::failure(
            name + QStringLiteral(": this controller offers only the first %1 items").arg(count));
    }
    return SettingCommand{};
}

// The window always enters the level group (0x31 0x01) before a set is written; a front end
// without the window sends the same sequence in one call.
SettingCommand levelSequence(const std::array<double, 4>& volts, int sensorItem) {
    const SettingCommand set = *levelThresholdsCommand(volts, sensorItem);
    SettingCommand sequence;
    sequence.commands = {levelEnterCommand().commands[0], set.commands[0], set.commands[1], {}, {}};
    return sequence;
}

Control spinner(const QString& name, const QString& description, double minimum, double maximum,
                double step, int decimals, std::function<SettingCommand(double)> command,
                std::function<std::optional<double>(const ConfigValues&)> shown) {
    Control c;
    c.name = name;
    c.kind = ControlKind::Spinner;
    c.description = description;
    c.minimum = minimum;
    c.maximum = maximum;
    c.step = step;
    c.decimals = decimals;
    c.parseFn = [](const Control& self, const QString& text,
                   const QString& variant) -> Expected<ControlValue> {
        const auto v = numberIn(self, text, self.minimum, self.maximumFor(variant), self.decimals);
        if (!v) {
            return Expected<ControlValue>::failure(v.error());
        }
        return ControlValue{*v};
    };
    c.commandFn = [command](const ControlValue& v, const CommandContext&) {
        return Expected<SettingCommand>(command(v.value(0)));
    };
    c.shownFn = [shown, decimals](const ConfigValues& config) -> std::optional<QString> {
        const auto v = shown(config);
        return v ? std::optional<QString>(number(*v, decimals)) : std::nullopt;
    };
    return c;
}

Control selection(ControlKind kind, const QString& name, const QString& description,
                  const QStringList& items,
                  std::function<Expected<SettingCommand>(int, const CommandContext&)> command,
                  std::function<std::optional<int>(const ConfigValues&)> shown) {
    Control c;
    c.name = name;
    c.kind = kind;
    c.description = description;
    c.items = items;
    c.parseFn = [](const Control& self, const QString& text,
                   const QString&) -> Expected<ControlValue> {
        const auto item = itemIn(self, self.items, text);
        if (!item) {
            return Expected<ControlValue>::failure(item.error());
        }
        return ControlValue{static_cast<double>(*item)};
    };
    c.commandFn = [command](const ControlValue& v, const CommandContext& context) {
        return command(static_cast<int>(v.value(0)), context);
    };
    c.shownFn = [shown, items](const ConfigValues& config) -> std::optional<QString> {
        const auto item = shown(config);
        if (!item || *item < 0 || *item >= items.size()) {
            return std::nullopt;
        }
        return items.at(*item);
    };
    return c;
}

Control checkBox(const QString& name, const QString& description,
                 std::function<SettingCommand(bool)> command,
                 std::function<std::optional<bool>(const ConfigValues&)> shown) {
    Control c;
    c.name = name;
    c.kind = ControlKind::CheckBox;
    c.description = description;
    c.items = {QStringLiteral("off"), QStringLiteral("on")};
    c.parseFn = [](const Control& self, const QString& text,
                   const QString&) -> Expected<ControlValue> {
        const QString t = text.trimmed().toLower();
        static const QStringList on{QStringLiteral("on"), QStringLiteral("1"),
                                    QStringLiteral("true"), QStringLiteral("yes"),
                                    QStringLiteral("checked")};
        static const QStringList off{QStringLiteral("off"), QStringLiteral("0"),
                                     QStringLiteral("false"), QStringLiteral("no"),
                                     QStringLiteral("unchecked")};
        if (on.contains(t)) {
            return ControlValue{1};
        }
        if (off.contains(t)) {
            return ControlValue{0};
        }
        return Expected<ControlValue>::failure(
            failureText(self, QStringLiteral("\"%1\" is neither on nor off").arg(text.trimmed())));
    };
    c.commandFn = [command](const ControlValue& v, const CommandContext&) {
        return Expected<SettingCommand>(command(v.value(0) != 0));
    };
    c.shownFn = [shown](const ConfigValues& config) -> std::optional<QString> {
        const auto v = shown(config);
        if (!v) {
            return std::nullopt;
        }
        return *v ? QStringLiteral("on") : QStringLiteral("off");
    };
    return c;
}

Expected<SettingCommand> selected(const QString& name,
                                  const std::optional<SettingCommand>& command) {
    if (!command) {
        return Expected<SettingCommand>::failure(
            name + QStringLiteral(": no item selected, nothing is sent"));
    }
    return *command;
}

std::vector<Control> buildCatalogue() {
    std::vector<Control> all;
    const auto add = [&all](Control c) { all.push_back(std::move(c)); };

    // --- spinners ---
    add(spinner(QStringLiteral("Sel_RPM_signal"), QStringLiteral("RPM signal level [V]"), 0, 15.0,
                0.1, 1, rpmSignalCommand, [](const ConfigValues& v) { return v.rpmSignalVolts; }));
    add(spinner(QStringLiteral("P_pracy_changer"), QStringLiteral("working pressure [bar]"), 0.40,
                2.50, 0.01, 2, workPressureCommand,
                [](const ConfigValues& v) { return v.workPressureBar; }));
    add(spinner(QStringLiteral("P_min_changer"), QStringLiteral("minimum pressure [bar]"), 0.40,
                2.50, 0.01, 2, minPressureCommand,
                [](const ConfigValues& v) { return v.minPressureBar; }));
    add(spinner(QStringLiteral("Min_Temp_Petrol_changer"),
                QStringLiteral("minimum temperature for gas [°C]"), -25, 100, 1, 0,
                minTempPetrolCommand, [](const ConfigValues& v) {
                    return v.minTempPetrolC ? std::optional<double>(*v.minTempPetrolC)
                                            : std::nullopt;
                }));
    const auto asDouble = [](const std::optional<int>& i) {
        return i ? std::optional<double>(*i) : std::nullopt;
    };
    add(spinner(QStringLiteral("RPM_Min_To_Petrol"),
                QStringLiteral("engine speed below which petrol is used [1/min]"), 0, 15000, 20, 0,
                rpmMinToPetrolCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.rpmMinToPetrol); }));
    add(spinner(QStringLiteral("T_zwloki_changer"),
                QStringLiteral("pressure-error time before petrol [ms]"), 0, 1450, 10, 0,
                pressureErrorDelayCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.pressureErrorDelayMs); }));
    add(spinner(QStringLiteral("RPM_Max_To_Petrol"),
                QStringLiteral("engine speed above which petrol is used [1/min]"), 0, 12000, 100, 0,
                rpmMaxToPetrolCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.rpmMaxToPetrol); }));
    add(spinner(QStringLiteral("Temp_LPG_changer"),
                QStringLiteral("temperature from which gas is used [°C]"), 20, 90, 1, 1,
                gasTemperatureCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.gasTemperatureC); }));
    add(spinner(QStringLiteral("RPM_Prog_przel"),
                QStringLiteral("engine speed from which gas is used [1/min]"), 300, 6000, 100, 0,
                rpmToGasCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.rpmToGas); }));
    {
        Control c =
            spinner(QStringLiteral("T_przel_to_LPG"), QStringLiteral("switch-over time to gas [s]"),
                    0, formDefaults().switchOverTimeMaximum, 1, 0, nullptr,
                    [](const ConfigValues& v) { return v.switchOverTimeS; });
        c.maximumByVariant = true;
        c.commandFn = [](const ControlValue& v,
                         const CommandContext& context) -> Expected<SettingCommand> {
            const auto command = switchOverTimeCommand(v.value(0), context.variant);
            if (!command) {
                return Expected<SettingCommand>::failure(QStringLiteral(
                    "T_przel_to_LPG: the firmware variant is not known, nothing is sent"));
            }
            return *command;
        };
        add(c);
    }
    add(spinner(QStringLiteral("T_CYL_seqence"),
                QStringLiteral("delay between switching cylinders [ms]"), 0, 2550, 10, 0,
                cylinderSequenceCommand,
                [asDouble](const ConfigValues& v) { return asDouble(v.cylinderSequenceMs); }));
    add(spinner(QStringLiteral("obc_inj_changer"), QStringLiteral("minimum injection time [ms]"), 0,
                5.0, 0.1, 1, minInjectionTimeCommand,
                [](const ConfigValues& v) { return v.minInjectionTimeMs; }));
    add(spinner(QStringLiteral("Mazda_changer"), QStringLiteral("MAZDA correction"), 0, 50, 1, 0,
                mazdaCommand, [](const ConfigValues& v) { return v.mazdaCorrection; }));

    // --- selections ---
    add(selection(
        ControlKind::Combo, QStringLiteral("Sel_Impuls"), QStringLiteral("ignition pulse source"),
        impulseItems(),
        [](int item, const CommandContext& context) -> Expected<SettingCommand> {
            const QString name = QStringLiteral("Sel_Impuls");
            const auto allowed = withinModel(name, item, 6, context);
            if (!allowed) {
                return allowed;
            }
            return selected(name, impulseCommand(item));
        },
        [](const ConfigValues& v) { return v.impulseItem; }));
    add(selection(
        ControlKind::Combo, QStringLiteral("Sel_Typ_silnika"), QStringLiteral("engine type"),
        engineTypeItems(),
        [](int item, const CommandContext&) {
            return Expected<SettingCommand>(*engineTypeCommand(item));
        },
        [](const ConfigValues& v) { return v.engineTypeItem; }));
    {
        Control c = selection(
            ControlKind::Combo, QStringLiteral("P1_MAP_changer"),
            QStringLiteral("gas pressure sensor"), pressureSensorItems(),
            [](int, const CommandContext&) {
                return Expected<SettingCommand>(pressureSensorCommand());
            },
            [](const ConfigValues& v) { return v.pressureSensorItem; });
        c.readOnly = true;
        add(c);
    }
    QStringList temperatureItems;
    for (const auto& t : temperatureSensors()) {
        temperatureItems << t.text;
    }
    add(selection(
        ControlKind::Combo, QStringLiteral("T_RED_changer"),
        QStringLiteral("reducer temperature sensor"), temperatureItems,
        [](int item, const CommandContext&) {
            return Expected<SettingCommand>(*reducerSensorCommand(item));
        },
        [](const ConfigValues& v) { return v.reducerSensorItem; }));
    add(selection(
        ControlKind::Combo, QStringLiteral("T_GAZ_changer"),
        QStringLiteral("gas temperature sensor"), temperatureItems,
        [](int item, const CommandContext&) {
            return Expected<SettingCommand>(*gasSensorCommand(item));
        },
        [](const ConfigValues& v) { return v.gasSensorItem; }));
    QStringList injectorItems;
    for (const auto& t : injectorTypes()) {
        injectorItems << t.text;
    }
    add(selection(
        ControlKind::Combo, QStringLiteral("Sel_Typ_wtrysku"), QStringLiteral("gas injector type"),
        injectorItems,
        [](int item, const CommandContext&) {
            return Expected<SettingCommand>(*injectorTypeCommand(item));
        },
        [](const ConfigValues& v) { return v.injectorTypeItem; }));
    add(selection(
        ControlKind::Combo, QStringLiteral("Sel_cyl"), QStringLiteral("number of cylinders"),
        cylinderItems(),
        [](int item, const CommandContext& context) -> Expected<SettingCommand> {
            const QString name = QStringLiteral("Sel_cyl");
            const auto allowed = withinModel(name, item, 4, context);
            if (!allowed) {
                return allowed;
            }
            return selected(name, cylinderCountCommand(item));
        },
        [](const ConfigValues& v) { return v.cylinderItem; }));
    QStringList levelItems;
    for (const auto& t : levelSensorTypes()) {
        levelItems << t.text;
    }
    add(selection(
        ControlKind::Combo, QStringLiteral("Rodz_czuj_LPG"),
        QStringLiteral("tank level sensor type (sets its default thresholds)"), levelItems,
        [](int item, const CommandContext&) {
            return Expected<SettingCommand>(levelSequence(
                levelSensorTypes()[static_cast<std::size_t>(item)].defaultThresholds, item));
        },
        [](const ConfigValues& v) { return v.levelSensorItem; }));

    // --- check boxes and radio pairs ---
    add(checkBox(QStringLiteral("Check_Injector_plus"),
                 QStringLiteral("injectors switched on the positive side"), injectorsPlusCommand,
                 [](const ConfigValues& v) { return v.injectorsPlus; }));
    add(checkBox(QStringLiteral("Check_by_first"),
                 QStringLiteral("petrol at the first pressure drop"), switchAtFirstDropCommand,
                 [](const ConfigValues& v) { return v.switchAtFirstDrop; }));
    add(checkBox(QStringLiteral("Full_group_CheckBox"), QStringLiteral("full-group injection"),
                 fullGroupCommand, [](const ConfigValues& v) { return v.fullGroup; }));
    add(checkBox(QStringLiteral("Grzalka_CheckBox"), QStringLiteral("injector heating"),
                 injectorHeatingCommand, [](const ConfigValues& v) { return v.injectorHeating; }));
    {
        Control c = selection(
            ControlKind::RadioPair, QStringLiteral("LPG_CNG_RadioButton"),
            QStringLiteral("fuel type"), fuelTypeItems(),
            [](int item, const CommandContext&) {
                return Expected<SettingCommand>(fuelTypeCommand(item == 1));
            },
            [](const ConfigValues& v) -> std::optional<int> {
                return v.cng ? std::optional<int>(*v.cng ? 1 : 0) : std::nullopt;
            });
        c.aliases =
            QStringList{QStringLiteral("LPG_RadioButton"), QStringLiteral("CNG_RadioButton")};
        add(c);
    }
    add(selection(
        ControlKind::RadioPair, QStringLiteral("paliwo_Switch"),
        QStringLiteral("ask for petrol (PB) or gas (LPG) on the configured cylinders"),
        {QStringLiteral("PB"), QStringLiteral("LPG")},
        [](int item, const CommandContext& context) -> Expected<SettingCommand> {
            if (!context.config || !context.config->cylinderMask) {
                return Expected<SettingCommand>::failure(
                    QStringLiteral("paliwo_Switch: the number of cylinders is not known"));
            }
            // Asking for gas is what a click sends while the switch shows petrol.
            return fuelChangeOverCommand(item == 0, *context.config->cylinderMask);
        },
        [](const ConfigValues&) { return std::optional<int>(); }));

    // --- sets ---
    {
        Control c;
        c.name = QStringLiteral("Kor_1..kor_6");
        c.kind = ControlKind::Set;
        c.description = QStringLiteral("gas injector corrections of cylinders 1..6");
        c.minimum = -20;
        c.maximum = 20;
        c.setFormat = QStringLiteral("six whole numbers from -20 to 20");
        c.parseFn = [](const Control& self, const QString& text,
                       const QString&) -> Expected<ControlValue> {
            const QStringList parts = tokens(text);
            if (parts.size() != 6) {
                return Expected<ControlValue>::failure(failureText(
                    self, QStringLiteral("expected six values, got %1").arg(parts.size())));
            }
            ControlValue values;
            for (const QString& part : parts) {
                const auto v = numberIn(self, part, self.minimum, self.maximum, 0);
                if (!v) {
                    return Expected<ControlValue>::failure(v.error());
                }
                values << *v;
            }
            return values;
        };
        c.commandFn = [](const ControlValue& v, const CommandContext&) {
            std::array<double, 6> k{};
            for (std::size_t i = 0; i < 6; ++i) {
                k[i] = v.value(static_cast<qsizetype>(i));
            }
            return Expected<SettingCommand>(correctionsCommand(k));
        };
        c.shownFn = [](const ConfigValues& config) -> std::optional<QString> {
            QStringList parts;
            for (const auto& k : config.corrections) {
                if (!k) {
                    return std::nullopt;
                }
                parts << QString::number(*k);
            }
            return parts.join(QLatin1Char(' '));
        };
        add(c);
    }
    {
        Control c;
        c.name = QStringLiteral("Bank_1..Bank_6");
        c.kind = ControlKind::Set;
        c.description = QStringLiteral("bank of cylinders 1..6");
        c.items = bankItems();
        c.setFormat = QStringLiteral("six of BANK1, BANK2");
        c.parseFn = [](const Control& self, const QString& text,
                       const QString&) -> Expected<ControlValue> {
            const QStringList parts = tokens(text);
            if (parts.size() != 6) {
                return Expected<ControlValue>::failure(failureText(
                    self, QStringLiteral("expected six values, got %1").arg(parts.size())));
            }
            ControlValue values;
            for (const QString& part : parts) {
                auto item = itemFor(self.items, part);
                // "1" and "2" name the banks as a fitter counts them.
                if (part == QLatin1String("1") || part == QLatin1String("2")) {
                    item = part.toInt() - 1;
                }
                if (!item) {
                    return Expected<ControlValue>::failure(
                        failureText(self, QStringLiteral("\"%1\" is not one of: %2")
                                              .arg(part, itemsText(self.items))));
                }
                values << *item;
            }
            return values;
        };
        c.commandFn = [](const ControlValue& v, const CommandContext&) {
            std::array<int, 6> items{};
            for (std::size_t i = 0; i < 6; ++i) {
                items[i] = static_cast<int>(v.value(static_cast<qsizetype>(i)));
            }
            return Expected<SettingCommand>(banksCommand(items));
        };
        c.shownFn = [](const ConfigValues& config) -> std::optional<QString> {
            QStringList parts;
            for (const auto& item : config.bankItems) {
                if (!item) {
                    return std::nullopt;
                }
                parts << bankItems().at(*item);
            }
            return parts.join(QLatin1Char(' '));
        };
        add(c);
    }
    {
        Control c;
        c.name = QStringLiteral("Ch_U_LPG");
        c.kind = ControlKind::Set;
        c.description = QStringLiteral("tank level sensor type and its four thresholds [V]");
        c.items = levelItems;
        c.minimum = 0;
        c.maximum = 5.0;
        c.step = 0.01;
        c.decimals = 2;
        c.setFormat = QStringLiteral(
            "the sensor type, then four thresholds from 0 to 5.00 (the type alone takes its "
            "default thresholds)");
        c.parseFn = [](const Control& self, const QString& text,
                       const QString&) -> Expected<ControlValue> {
            QStringList parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            // The thresholds are the trailing numbers; what comes before names the type.
            QStringList thresholds;
            while (!parts.isEmpty() && thresholds.size() < 4 && parseNumber(parts.last())) {
                thresholds.prepend(parts.takeLast());
            }
            if (parts.isEmpty() && thresholds.size() == 1) {
                // A type given by its index alone.
                parts << thresholds.takeFirst();
            }
            if (parts.isEmpty()) {
                return Expected<ControlValue>::failure(
                    failureText(self, QStringLiteral("the sensor type is missing")));
            }
            const auto item = itemIn(self, self.items, parts.join(QLatin1Char(' ')));
            if (!item) {
                return Expected<ControlValue>::failure(item.error());
            }
            ControlValue values{static_cast<double>(*item)};
            if (thresholds.isEmpty()) {
                for (double v :
                     levelSensorTypes()[static_cast<std::size_t>(*item)].defaultThresholds) {
                    values << v;
                }
                return values;
            }
            if (thresholds.size() != 4) {
                return Expected<ControlValue>::failure(failureText(
                    self,
                    QStringLiteral("expected four thresholds, got %1").arg(thresholds.size())));
            }
            for (const QString& t : thresholds) {
                const auto v = numberIn(self, t, self.minimum, self.maximum, self.decimals);
                if (!v) {
                    return Expected<ControlValue>::failure(v.error());
                }
                values << *v;
            }
            return values;
        };
        c.commandFn = [](const ControlValue& v, const CommandContext&) {
            const std::array<double, 4> volts{v.value(1), v.value(2), v.value(3), v.value(4)};
            return Expected<SettingCommand>(levelSequence(volts, static_cast<int>(v.value(0))));
        };
        c.shownFn = [levelItems](const ConfigValues& config) -> std::optional<QString> {
            QStringList parts;
            parts << (config.levelSensorItem ? levelItems.at(*config.levelSensorItem)
                                             : QStringLiteral("-"));
            bool any = config.levelSensorItem.has_value();
            for (const auto& volts : config.thresholdVolts) {
                parts << (volts ? thresholdEditText(*volts, QLocale::c()) : QStringLiteral("-"));
                any = any || volts.has_value();
            }
            return any ? std::optional<QString>(parts.join(QLatin1Char(' '))) : std::nullopt;
        };
        add(c);
    }
    {
        Control c;
        c.name = QStringLiteral("Cyl_0_led..Cyl_5_led");
        c.kind = ControlKind::Set;
        c.description = QStringLiteral("cylinders to run on gas (sent while running on gas)");
        c.minimum = 1;
        c.maximum = 6;
        c.setFormat = QStringLiteral("cylinder numbers 1..6, or none");
        c.parseFn = [](const Control& self, const QString& text,
                       const QString&) -> Expected<ControlValue> {
            ControlValue values;
            if (text.trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
                return values;
            }
            for (const QString& part : tokens(text)) {
                const auto v = numberIn(self, part, 1, 6, 0);
                if (!v) {
                    return Expected<ControlValue>::failure(v.error());
                }
                if (*v != std::floor(*v)) {
                    return Expected<ControlValue>::failure(
                        failureText(self, QStringLiteral("\"%1\" is not a cylinder").arg(part)));
                }
                values << *v;
            }
            return values;
        };
        c.commandFn = [](const ControlValue& v, const CommandContext&) {
            std::array<bool, 6> checked{};
            for (double cylinder : v) {
                checked[static_cast<std::size_t>(cylinder) - 1] = true;
            }
            return Expected<SettingCommand>(fuelChangeOverCommand(false, ledMask(checked)));
        };
        c.shownFn = [](const ConfigValues& config) -> std::optional<QString> {
            if (!config.cylinderCount) {
                return std::nullopt;
            }
            QStringList parts;
            for (int k = 1; k <= *config.cylinderCount; ++k) {
                parts << QString::number(k);
            }
            return parts.join(QLatin1Char(' '));
        };
        add(c);
    }
    return all;
}

}  // namespace

double Control::maximumFor(const QString& variant) const {
    if (maximumByVariant) {
        return profileFor(variant).value_or(formDefaults()).switchOverTimeMaximum;
    }
    return maximum;
}

QString Control::accepts(const QString& variant) const {
    switch (kind) {
        case ControlKind::Spinner:
            return QStringLiteral("a number from %1 to %2 (step %3)")
                .arg(number(minimum, decimals), number(maximumFor(variant), decimals),
                     number(step, decimals));
        case ControlKind::Combo:
        case ControlKind::RadioPair:
            return QStringLiteral("one of: ") + itemsText(items);
        case ControlKind::CheckBox:
            return QStringLiteral("on or off");
        case ControlKind::Set:
            return setFormat;
    }
    return QString();
}

Expected<ControlValue> Control::parse(const QString& text, const QString& variant) const {
    if (readOnly) {
        return Expected<ControlValue>::failure(
            failureText(*this, QStringLiteral("this setting cannot be changed")));
    }
    return parseFn(*this, text, variant);
}

Expected<SettingCommand> Control::command(const ControlValue& value,
                                          const CommandContext& context) const {
    if (readOnly) {
        return Expected<SettingCommand>::failure(
            failureText(*this, QStringLiteral("this setting cannot be changed")));
    }
    return commandFn(value, context);
}

std::optional<QString> Control::shown(const ConfigValues& config) const {
    return shownFn(config);
}

const std::vector<Control>& controlCatalogue() {
    static const std::vector<Control> catalogue = buildCatalogue();
    return catalogue;
}

Expected<const Control*> findControl(const QString& name) {
    QStringList known;
    const QString wanted = name.trimmed();
    for (const Control& c : controlCatalogue()) {
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0 ||
            c.aliases.contains(wanted, Qt::CaseInsensitive)) {
            return &c;
        }
        known << c.name;
    }
    return Expected<const Control*>::failure(
        QStringLiteral("Unknown control \"%1\". Known controls: %2")
            .arg(name.trimmed(), known.join(QStringLiteral(", "))));
}

}  // namespace omvi::model
