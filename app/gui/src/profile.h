#pragma once
// The per-user profile: QD.ini (INI format) in the settings directory. Each
// value is declared once, beside the code that uses it, as a ProfileKey.

#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>

namespace qd {

QString profilePath();
std::unique_ptr<QSettings> openProfile();

template <typename T> struct ProfileKey {
    const char* section;
    const char* key;
    T fallback;

    QString path() const { return QString::fromLatin1(section) + '/' + QString::fromLatin1(key); }
    T read() const {
        const QVariant v = openProfile()->value(path());
        return v.isValid() && v.canConvert<T>() ? v.value<T>() : fallback;
    }
    void write(const T& value) const {
        openProfile()->setValue(path(), QVariant::fromValue(value));
    }
};

} // namespace qd
