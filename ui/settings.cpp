#include "settings.h"

namespace vurp::ui {

std::unique_ptr<QSettings> OpenSettings() {
    // Named apart from the application: an organisation name would move the
    // journal's folder too.
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("vurp"), QStringLiteral("vurp"));
}

} // namespace vurp::ui
