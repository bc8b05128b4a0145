#pragma once
// The main window: one member of the register at a time, the navigation through the
// register in the current order, the record buttons, and the menus that open every other
// window.
#include "ui/main_view.h"
#include "member_record.h"

#include <QMainWindow>
#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace zelk {

struct AppState;
class PictureBox;

class frmZelkMain : public QMainWindow, public MainView {
    Q_OBJECT
public:
    explicit frmZelkMain(AppState& state, QWidget* parent = nullptr);
    ~frmZelkMain() override;

    // Member display and saving.
    void RefreshData() override;
    enum class SaveResult { Saved, MissingDetail, Failed };
    SaveResult SaveMember();
    void ClearFields();
    void ShowNextNumber();
    void EnableNavigation();
    void StopSave();
    void UndoChanges();
    void ApplyIncludeSkip() override;
    void ApplyScreenText() override;

    // The text of box `index` (0 to 28) and setting it, whichever kind of box it is.
    QString boxText(int index) const override;
    void setBoxText(int index, const QString& text) override;
    QWidget* box(int index) const;
    // The member as the boxes, the lapsed tick and the picture hold it.
    MemberEntry entry() const;
    // True from the first change of the member shown until Save, Undo or another member
    // is shown: the navigation, New and the search are unavailable meanwhile.
    bool hasUnsavedChange() const { return m_unsaved; }
    // Before work that shows other members in place of the one being changed: while a
    // change is unsaved, asks whether to save it first ("before <what follows>"). True when
    // the work may go on (saved, or the user lets the change go); false to go back to it.
    bool settleUnsavedChange(const QString& beforeWhat);

    // Handlers.
    void Command1_Click(int index);
    void cmdNext_Click(int index);
    void mnuSort_Click(int index);
    void mnuFile_Click(int index);
    void txtInfo_DblClick(int index);
    void Picture1_DblClick();
    void Picture1_RightPressed();

    // Controls, indexed as the register's fields are. Box 28, the multi-line Notes box,
    // is txtNotes; txtInfo[28] is not used.
    std::array<QLineEdit*, kBoxCount> txtInfo{};
    QPlainTextEdit* txtNotes = nullptr;
    std::array<QString, kBoxCount> Tag;
    std::array<QLabel*, 21> Label1{};
    std::array<QPushButton*, 4> cmdNext{};
    std::array<QPushButton*, 5> Command1{};
    QGroupBox* Frame1 = nullptr;
    QCheckBox* chkLapsed = nullptr;
    PictureBox* Picture1 = nullptr;

    QMenu* menuFile = nullptr;
    QMenu* menuImportData = nullptr;
    std::array<QAction*, 3> menuImport{};
    std::array<QAction*, 3> mnuFile{};
    QMenu* menuOptions = nullptr;
    std::array<QAction*, 7> mnuOptions{};
    QMenu* menuSort = nullptr;
    std::array<QAction*, 5> mnuSort{};
    QMenu* menuSearch = nullptr;
    QAction* mnuSearch = nullptr;
    QAction* menuPrints = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* mnuHelpIndex = nullptr;
    QAction* mnuHelpAbout = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectControls();
    void Form_Load();
    bool windowKeys(QKeyEvent& key);
    void txtInfo_GotFocus(int index, Qt::FocusReason reason);
    void txtInfo_LostFocus(int index);
    void setNavigation(bool enabled);
    void showCurrentMember();
    void showEmptyRegister();
    void showPicture(const QVariant& path);
    void deleteMember();
    // Says why the value of box `index` was not saved: an engine error number, or this.
    static constexpr int kControlCharacterRefused = -1;
    void reportRefusedValue(int index, int errorNumber);
    int boxIndexOf(const QObject* widget) const;
    void installEntryRules();
    void openSearch();
    void openLookups(int index);
    void openAbout();

    // The texts ApplyScreenText can replace, in the order of the Settings caption fields,
    // as the window has them built in.
    QList<QWidget*> captionControls() const;
    // Puts a caption on one of them, cut short when it would widen the window.
    void showCaption(QWidget* control, const QString& text);
    QStringList m_builtInCaptions;

    AppState& m_state;
    // The row of the stored member on screen: saves amend it and no other, and a refresh
    // that fails puts the record set back on it. None while a new member is on screen of
    // an empty register.
    std::optional<qint64> m_shownRow;
    bool m_unsaved = false;   // the member shown has been changed since it was shown or saved
    bool m_closing = false;   // the user has agreed to end the program
};

} // namespace zelk
