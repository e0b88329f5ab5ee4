#include "profile.h"

#include <qd/core/settings_dir.h>

namespace qd {

QString profilePath() { return QString::fromStdString(settingsFile("QD.ini")); }

std::unique_ptr<QSettings> openProfile() {
    // Written settings need the directory; reading a missing file is fine.
    ensureSettingsDir();
    return std::make_unique<QSettings>(profilePath(), QSettings::IniFormat);
}

} // namespace qd
