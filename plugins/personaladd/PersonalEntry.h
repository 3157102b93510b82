#pragma once

#include <QString>
#include <QStringList>

// One entry of the Personal category as the catalogue stores it: the value
// "flag|caption|count|name1|...|nameK|target|". The value is kept as read, so
// that entries the user does not edit are written back unchanged; the fields
// are read from it with the main program's own accessors.
class PersonalEntry {
public:
    // The longest value the main program reads whole, in GB2312 bytes.
    static constexpr int MaxValueBytes = 399;

    PersonalEntry() = default;
    explicit PersonalEntry(QString value) : m_value(std::move(value)) {}

    // A plain effect with this caption, these image files and this code file.
    static PersonalEntry Compose(const QString &caption, const QStringList &resources,
                                 const QString &target);

    // Why an entry with these fields cannot be stored, as a message for the
    // user; empty when it can.
    static QString Refusal(const QString &caption, const QStringList &resources,
                           const QString &target);

    const QString &value() const { return m_value; }
    QString caption() const;
    QString target() const;
    // The image file names; none when the count field is not a number.
    QStringList resources() const;

private:
    QString m_value;
};
