#include "frm_find_browser.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "ui/message_box.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace zelk {

frmFindBrowser::frmFindBrowser(AppState& state, QWidget* parent)
    : QDialog(parent)
    , Label1(new QLabel(QStringLiteral(
          "Zelk needs your web browser (Internet Explorer, Netscape, Opera, etc) to produce lists. Unfortunately, I "
          "can't find this program automatically, so you will need to tell me where it is located. Sorry for the "
          "inconvenience.")))
    , Label2(new QLabel(QStringLiteral("You should only need to use this in rare circumstances - normally Windows "
                                       "will tell me where your browser is located.")))
    , Command1(new QPushButton(QStringLiteral("Find browser")))
    , Command2(new QPushButton(QStringLiteral("Cancel")))
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Find web browser"));
    for (auto* label : {Label1, Label2}) {
        label->setWordWrap(true);
        label->setMinimumWidth(380);
    }
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(4);
    layout->addWidget(Label2);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    QWidget::setTabOrder(Command1, Command2);
    connect(Command1, &QPushButton::clicked, this, &frmFindBrowser::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmFindBrowser::Command2_Click);
}

QString frmFindBrowser::programsFolder()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("c:\\program files");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("/Applications");
#else
    return QStringLiteral("/usr/bin");
#endif
}

QString frmFindBrowser::browserFilter()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("Web browser (*.exe)|*.exe");
#else
    // Programs here carry no extension of their own.
    return QStringLiteral("Web browser (*)|*");
#endif
}

void frmFindBrowser::Command1_Click()
{
    try {
        const QString chosen = UserDialogs::openFile(FileQuestion{QString(), programsFolder(), browserFilter()}, this);
        // Cancelling the file dialog keeps the browser the program already knows.
        if (chosen.isEmpty()) {
            reject();
            return;
        }
        m_state.BrowserPath = QDir::toNativeSeparators(chosen);
        saveSetting(setting::WebBrowser, m_state.BrowserPath);
        accept();
    } catch (const SettingsNotSaved& e) {
        MessageBox::show(e.message(), this);   // known for this run; the window stays open to try again
    } catch (const std::exception&) {
        // The window stays open for another try.
    }
}

void frmFindBrowser::Command2_Click()
{
    reject();
}

} // namespace zelk
