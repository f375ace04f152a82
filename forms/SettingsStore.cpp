#include "SettingsStore.h"

#include "VarnexError.h"

#include <QVariant>

namespace {

const QString Group = QStringLiteral("2.11");

} // namespace

TSettingsStore::TSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Korvex Group"),
                 QStringLiteral("Varnex")) {
    // Values of another program of the same organisation must not leak in.
    m_settings.setFallbacksEnabled(false);
    m_settings.beginGroup(Group);
}

bool TSettingsStore::Exists() const {
    return m_settings.status() == QSettings::NoError && !m_settings.childKeys().isEmpty();
}

QVariant TSettingsStore::Read(const QString& name) const {
    if (m_settings.status() != QSettings::NoError) {
        return {};
    }
    return m_settings.value(name);
}

std::optional<qint64> TSettingsStore::ReadInteger(const QString& name) const {
    const QVariant value = Read(name);
    bool ok = false;
    qint64 number = 0;
    if (value.typeId() == QMetaType::QString) {
        number = value.toString().trimmed().toLongLong(&ok);
    } else if (value.canConvert<qint64>() && value.typeId() != QMetaType::QByteArray) {
        number = value.toLongLong(&ok);
    }
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<QByteArray> TSettingsStore::ReadBinary(const QString& name) const {
    const QVariant value = Read(name);
    if (value.typeId() != QMetaType::QByteArray) {
        return std::nullopt;
    }
    return value.toByteArray();
}

std::optional<QString> TSettingsStore::ReadString(const QString& name) const {
    const QVariant value = Read(name);
    if (value.typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return value.toString();
}

void TSettingsStore::WriteInteger(const QString& name, qint64 value) {
    m_settings.setValue(name, value);
}

void TSettingsStore::WriteBinary(const QString& name, const QByteArray& value) {
    m_settings.setValue(name, value);
}

void TSettingsStore::WriteString(const QString& name, const QString& value) {
    m_settings.setValue(name, value);
}

void TSettingsStore::Flush() {
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError) {
        throw EVarnexError(
            QStringLiteral("The settings could not be saved to %1").arg(FileName()).toStdString());
    }
}
