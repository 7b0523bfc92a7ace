#pragma once

#include <QString>

namespace gearmart {

// One setting of the store: a key name and its value text.
class Configure
{
public:
    Configure(const QString& qstrName, const QString& qstrValue);
    virtual ~Configure();

    Configure(const Configure&) = delete;
    Configure& operator=(const Configure&) = delete;

    const QString& name() const { return m_qstrName; }
    const QString& value() const { return m_qstrValue; }
    void setValue(const QString& qstrValue) { m_qstrValue = qstrValue; }

private:
    QString m_qstrName;
    QString m_qstrValue;
};

} // namespace gearmart
