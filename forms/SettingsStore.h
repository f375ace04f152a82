#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <optional>

// The per-user store of the program's settings: organisation "Korvex Group", application
// "Varnex", group "2.11". Reads are typed and report a value that is missing or cannot be read
// as that type as absent, so that a damaged store never stops start-up.
class TSettingsStore {
public:
    TSettingsStore();

    // True when the group holds any value and the file could be read.
    bool Exists() const;

    // An integer written by this program or typed by hand ("42"), read as 64 bits so that a
    // number beyond 32 bits is not wrapped by the store.
    std::optional<qint64> ReadInteger(const QString& name) const;
    std::optional<QByteArray> ReadBinary(const QString& name) const;
    std::optional<QString> ReadString(const QString& name) const;

    void WriteInteger(const QString& name, qint64 value);
    void WriteBinary(const QString& name, const QByteArray& value);
    void WriteString(const QString& name, const QString& value);

    // Writes what was set to the file; raises EVarnexError naming the file when it cannot.
    void Flush();

    QString FileName() const { return m_settings.fileName(); }

private:
    QVariant Read(const QString& name) const;

    mutable QSettings m_settings;
};
