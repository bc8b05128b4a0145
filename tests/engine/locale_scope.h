#pragma once
// Pins the default locale for one test row and puts the previous one back afterwards.
#include <QLocale>
#include <QString>

namespace zelk::test {

class LocaleScope {
public:
    explicit LocaleScope(const QString& name)
        : m_previous(QLocale())
    {
        QLocale::setDefault(QLocale(name));
    }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_previous;
};

} // namespace zelk::test
