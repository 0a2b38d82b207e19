#pragma once
// The controller's faults as numbered text lists: the errors present now (active-low bits of
// every live frame) and the errors recorded in the configuration image's error register. The
// texts come from the language table by row, through a provider, so the lists follow the
// current language.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/settings_commands.h"

namespace omvi::service {

// Text of a language-table row (0..10 are the error texts, each beginning with " - ").
using ErrorTextProvider = std::function<QString(int row)>;

inline constexpr int kInjectorErrorCode = 0;
inline constexpr int kRegisterLength = 40;

struct ErrorEntry {
    int code = 0;          // 1..10, or 0 for an injector error
    QList<int> cylinders;  // injector error: the faulty cylinders 1..6, ascending
    bool operator==(const ErrorEntry&) const = default;
};

// Language row of an error code (1..10, 0 for the injector error); -1 for any other code.
int errorTextRow(int code);

// The errors a live frame reports: byte 50 bits 1..7, byte 51 bits 0..2 (clear = present), then
// the injector error when byte 52 is not 0xFF.
std::vector<ErrorEntry> actualErrors(std::uint8_t flags50, std::uint8_t flags51,
                                     std::uint8_t injectorFlags);

// The error register of a configuration image: from byte 303 (317 for "ver_2"), 40 bytes of
// one-byte entries and two-byte injector entries (an injector entry in the last place reads its
// cylinder byte just after the register). Unknown codes are skipped. An image that ends inside
// the register yields the entries it holds completely.
std::vector<ErrorEntry> registeredErrors(const QByteArray& image, const QString& variant);

// Numbered lines: the number, the text, for an injector error " 1".." 6" per faulty cylinder,
// then CR LF.
QString errorLines(const std::vector<ErrorEntry>& entries, const ErrorTextProvider& text);

// The error page's Reset: clears the controller's errors.
model::SettingCommand clearErrorsCommand();

}  // namespace omvi::service
