#pragma once
// The log of a mail run: the addresses the run reached, in the order reached, each as a
// line of a small HTML page ("messages.html" in the program's folder). A member whose
// message failed is listed as not sent, with the reason. Addresses and reasons are
// HTML-escaped, and the page is UTF-8.
#include <QList>
#include <QString>

class QIODevice;

namespace zelk::mail {

class SentLog {
public:
    // Forgets every line: the log of a new run.
    void begin() { m_lines.clear(); }
    // The run has reached a member with this address.
    void reached(const QString& address) { m_lines.append({address, {}}); }
    // The message to the member reached last was not sent, for this reason.
    void notSent(const QString& reason);

    int count() const { return int(m_lines.size()); }
    // The page: "<html><body><h3>Message sent to:</h3>", then for each member reached the
    // address (followed by " - not sent: " and the reason when it failed), "<br>" and CR LF;
    // then CR LF. It begins with the UTF-8 byte order mark, which is how a browser knows a
    // page without a header is UTF-8.
    QByteArray page() const;
    // Writes the page; false when the device refused it.
    bool write(QIODevice& out) const;

private:
    struct Line {
        QString address;
        QString failure;   // empty when sent
    };
    QList<Line> m_lines;
};

} // namespace zelk::mail
