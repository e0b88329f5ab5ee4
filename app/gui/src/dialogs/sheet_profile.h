#pragma once
// Profile values of a sheet whose section is known only at run time: the
// same sheet serves several commands, each keeping its own last values.

#include "profile.h"

#include <QByteArray>
#include <QString>

namespace qd {

template <typename T> struct SectionKey {
    QByteArray section;
    const char* key;
    T fallback;

    SectionKey(const QString& sectionName, const char* k, T def)
        : section(sectionName.toLatin1()), key(k), fallback(std::move(def)) {}

    T read() const { return ProfileKey<T>{section.constData(), key, fallback}.read(); }
    void write(const T& value) const {
        ProfileKey<T>{section.constData(), key, fallback}.write(value);
    }
};

} // namespace qd
