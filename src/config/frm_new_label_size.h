#pragma once
// One label sheet's eleven values: its name, margins, label size, gaps, labels across and
// down, font and font size, added as a new sheet or amended; with a small drawing of the
// sheet that follows the boxes as they are typed.
#include <QDialog>
#include <QSizeF>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelk {

struct AppState;
struct LabelLayout;

enum class LabelEdit { Add = 1, Amend = 2 };

class SheetPicture;

class frmNewLabelSize : public QDialog {
    Q_OBJECT
public:
    // `labelName` is the sheet to amend; adding starts with empty boxes.
    frmNewLabelSize(AppState& state, LabelEdit mode, const QString& labelName = {}, QWidget* parent = nullptr);
    ~frmNewLabelSize() override;

    // 0 OK, 1 Cancel.
    void cmd1_Click(int Index);
    void cmdLoadFonts_Click();

    // Sets the missing-data flag when any of the eleven boxes is empty.
    void CheckOKToSaveLabel();

    // The name the sheet was saved under (the window is then accepted).
    QString savedName() const { return m_saved; }

    // The layout the boxes describe now; a box that holds no number counts as 0.
    LabelLayout layoutOfBoxes() const;
    // The paper the labels are checked against and drawn on: the default printer's, or
    // without one A4 (Letter in the United States).
    static QSizeF paperInches();

    std::array<QLabel*, 11> Label1{};
    std::array<QLineEdit*, 11> txtLabelInfo{};
    QPushButton* cmdLoadFonts = nullptr;
    std::array<QPushButton*, 2> cmd1{};
    QLabel* Label2 = nullptr;
    QWidget* picSheet = nullptr;   // the drawing of the sheet

private:
    void buildControls();
    void Form_Load();
    void saveLabel();
    // Tells the user which edges of the paper the saved sheet's labels run past, if any.
    void warnOfOverrun(const QString& name);

    AppState& m_state;
    LabelEdit m_mode;
    QString m_name;
    SheetPicture* m_picture = nullptr;
    QSizeF m_paper;   // asked of the printer once: the question can take a while
    std::optional<qint64> m_amended;   // the row being amended, when it was found
    bool m_missingData = false;
    QString m_saved;
};

} // namespace zelk
