#include "service/error_list.h"

#include "link/bytes.h"
#include "model/firmware_variant.h"

namespace omvi::service {

namespace {

// Cylinder byte: one active-low bit per cylinder; bits 6 and 7 name no cylinder.
QList<int> faultyCylinders(std::uint8_t mask) {
    QList<int> cylinders;
    for (int k = 0; k < 6; ++k) {
        if (((mask >> k) & 1) == 0) {
            cylinders << k + 1;
        }
    }
    return cylinders;
}

}  // namespace

int errorTextRow(int code) {
    static constexpr int rows[] = {6, 9, 0, 1, 2, 3, 4, 5, 7, 8, 10};
    return code >= 0 && code <= 10 ? rows[code] : -1;
}

std::vector<ErrorEntry> actualErrors(std::uint8_t flags50, std::uint8_t flags51,
                                     std::uint8_t injectorFlags) {
    std::vector<ErrorEntry> entries;
    for (int bit = 1; bit <= 7; ++bit) {
        if (((flags50 >> bit) & 1) == 0) {
            entries.push_back({bit, {}});
        }
    }
    for (int bit = 0; bit <= 2; ++bit) {
        if (((flags51 >> bit) & 1) == 0) {
            entries.push_back({8 + bit, {}});
        }
    }
    if (injectorFlags != 0xFF) {
        entries.push_back({kInjectorErrorCode, faultyCylinders(injectorFlags)});
    }
    return entries;
}

std::vector<ErrorEntry> registeredErrors(const QByteArray& image, const QString& variant) {
    std::vector<ErrorEntry> entries;
    const int start = model::errorRegisterStart(variant);
    int j = 0;
    while (j < kRegisterLength) {
        const int at = start + j;
        if (at >= image.size()) {
            break;
        }
        const int code = byteAt(image, at);
        if (code == kInjectorErrorCode) {
            if (at + 1 >= image.size()) {
                break;
            }
            entries.push_back({kInjectorErrorCode, faultyCylinders(byteAt(image, at + 1))});
            j += 2;
        } else {
            if (code <= 10) {
                entries.push_back({code, {}});
            }
            j += 1;
        }
    }
    return entries;
}

QString errorLines(const std::vector<ErrorEntry>& entries, const ErrorTextProvider& text) {
    QString lines;
    int n = 1;
    for (const ErrorEntry& e : entries) {
        const int row = errorTextRow(e.code);
        if (row < 0) {
            continue;
        }
        lines += QString::number(n++) + text(row);
        if (e.code == kInjectorErrorCode) {
            for (int cylinder : e.cylinders) {
                lines += QLatin1Char(' ') + QString::number(cylinder);
            }
        }
        lines += QStringLiteral("\r\n");
    }
    return lines;
}

model::SettingCommand clearErrorsCommand() {
    model::SettingCommand c;
    c.commands[0] = bytes({0x10, 0x00});
    return c;
}

}  // namespace omvi::service
