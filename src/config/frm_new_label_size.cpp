#include "frm_new_label_size.h"

#include "frm_choose_font.h"

#include "core/app_state.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/regional.h"
#include "engine/sql_dialect.h"
#include "reports/label_geometry.h"
#include "reports/label_layout.h"
#include "reports/label_painter.h"
#include "ui/box_focus.h"
#include "ui/button_row.h"
#include "ui/guarded.h"
#include "ui/key_preview.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "ui/tab_order.h"
#include "ui/validtxt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelk {

namespace {

struct Box {
    const char* caption;
    const char* field;
    const char* toolTip;
};

constexpr Box kBoxes[11] = {
    {"Label name:", "LabelName", "Enter the label name here"},
    {"Top margin:", "TopMargin", "This is the distance from the top of the sheet to the first label, in inches"},
    {"Left margin:", "LeftMargin", "This is the distance from the left hand side of the sheet to the first label, in inches"},
    {"Label height:", "LabelHeight", "This is the height of the label, in inches"},
    {"Label width:", "LabelWidth", "This is the width of the label, in inches"},
    {"Vertical gap:", "LabelVertGap",
     "This is the vertical space between the bottom of one label and the top of the next label, in inches. Enter 0 if there is no gap between labels."},
    {"Horizontal gap:", "LabelHorizGap",
     "This is the horizontal gap between the right hand side of one label and the left hand side of the next label, in inches. Enter 0 if there is no gap."},
    {"Labels wide:", "LabelsWide", "This is the number of labels wide on the sheet"},
    {"Labels high:", "LabelsHigh", "This is the number of labels high on the sheet"},
    {"Font:", "LabelFont", "This is the font you want to use for your labels"},
    {"Font size:", "FontSize", "This is the font size you want to use for your labels"},
};

constexpr int kNameBox = 0, kWideBox = 7, kHighBox = 8, kFontBox = 9, kSizeBox = 10;

bool isMeasureBox(int i)
{
    return (i >= 1 && i <= 6) || i == kSizeBox;
}

QString caption(int i)
{
    return QString::fromLatin1(kBoxes[i].caption);
}

// "the right edge", "the right and bottom edges", "the left, top and right edges".
QString edgesText(const QStringList& edges)
{
    QString text = QStringLiteral("the ");
    for (qsizetype i = 0; i < edges.size(); ++i) {
        if (i > 0)
            text += i + 1 == edges.size() ? QStringLiteral(" and ") : QStringLiteral(", ");
        text += edges[i];
    }
    return text + (edges.size() == 1 ? QStringLiteral(" edge") : QStringLiteral(" edges"));
}

// A measure of the paper, to the hundredth of an inch.
QString inches(double value)
{
    return regional::locale().toString(value, 'f', 2);
}

QString paperName(const QSizeF& inches)
{
    const QPageSize size(inches, QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
    // "Letter / ANSI A": the first of the names is the one people use.
    return size.id() == QPageSize::Custom ? QStringLiteral("the printer's") : size.name().section(QStringLiteral(" / "), 0, 0);
}

} // namespace

// The sheet to scale: the paper's outline and the labels' rectangles.
class SheetPicture : public QWidget {
public:
    SheetPicture() { setMinimumSize(170, 230); }
    void setSheet(const LabelLayout& layout, const QSizeF& paper)
    {
        m_layout = layout;
        m_paper = paper;
        update();
    }
    const LabelLayout& layout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        drawSheetPicture(painter, QRectF(rect()).adjusted(4, 4, -4, -4), m_layout, m_paper);
    }

private:
    LabelLayout m_layout;
    QSizeF m_paper;
};

frmNewLabelSize::frmNewLabelSize(AppState& state, LabelEdit mode, const QString& labelName, QWidget* parent)
    : QDialog(parent), m_state(state), m_mode(mode), m_name(labelName), m_paper(paperInches())
{
    setObjectName(QStringLiteral("frmNewLabelSize"));
    buildControls();
    installKeyPreview(this);
    Form_Load();
}

frmNewLabelSize::~frmNewLabelSize() = default;

void frmNewLabelSize::buildControls()
{
    auto* grid = new QGridLayout;
    for (int i = 0; i < 11; ++i) {
        Label1[i] = new QLabel(caption(i));
        txtLabelInfo[i] = new QLineEdit;
        txtLabelInfo[i]->setToolTip(QString::fromLatin1(kBoxes[i].toolTip));
        Label1[i]->setBuddy(txtLabelInfo[i]);
        grid->addWidget(Label1[i], i, 0);
        grid->addWidget(txtLabelInfo[i], i, 1, 1, i == kFontBox ? 1 : 2);
    }
    txtLabelInfo[kNameBox]->setMaxLength(10);
    cmdLoadFonts = new QPushButton(QStringLiteral("..."));
    cmdLoadFonts->setAutoDefault(false);
    cmdLoadFonts->setFixedWidth(32);
    grid->addWidget(cmdLoadFonts, kFontBox, 2);
    grid->setColumnMinimumWidth(1, 170);
    connect(cmdLoadFonts, &QPushButton::clicked, this, [this] { guarded(QStringLiteral("cmdLoadFonts_Click"), this, [this] { cmdLoadFonts_Click(); }); });

    m_picture = new SheetPicture;
    picSheet = m_picture;
    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addSpacing(8);
    top->addWidget(picSheet, 1);

    Label2 = new QLabel(QStringLiteral("Note: all label sizes must be in inches."));
    auto* buttons = buttonRow(cmd1, {{0, "OK"}, {1, "Cancel"}}, this,
                              [this](int i) { guarded(QStringLiteral("cmd1_Click"), this, [&] { cmd1_Click(i); }); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Label2);
    layout->addLayout(buttons);

    QList<QWidget*> order;
    for (int i = 0; i < 11; ++i) {
        order << txtLabelInfo[i];
        if (i == kFontBox)
            order << cmdLoadFonts;
    }
    order << cmd1[0] << cmd1[1];
    setTabChain(order);

    installKeyRule(txtLabelInfo[kNameBox], CodeKey);
    installKeyRule(txtLabelInfo[kWideBox], DigitsOnlyKey);
    installKeyRule(txtLabelInfo[kHighBox], DigitsOnlyKey);
    for (int i = 0; i < 11; ++i) {
        QLineEdit* box = txtLabelInfo[i];
        const bool measure = isMeasureBox(i);
        onBoxFocus(box, [box] { SelectAllText(box); }, [box, measure] {
            trimBox(box);
            // A measure box keeps the focus until it holds a number, in the user's form or
            // with a point, or nothing.
            if (measure && !box->text().isEmpty() && !readLabelNumber(box->text())) {
                box->setFocus(Qt::OtherFocusReason);
                QTimer::singleShot(0, box, [box] { SelectAllText(box); });
            }
        });
        if (i >= 1 && i <= kHighBox)
            connect(box, &QLineEdit::textChanged, this, [this] { m_picture->setSheet(layoutOfBoxes(), m_paper); });
    }
}

void frmNewLabelSize::Form_Load()
{
    if (m_mode == LabelEdit::Add) {
        setWindowTitle(QStringLiteral("Add a new label type"));
    } else {
        setWindowTitle(QStringLiteral("Amend label type"));
        try {
            Recordset& labels = *m_state.rsLabels;
            if (labels.recordCount() > 0) {
                labels.moveFirst();
                labels.findFirst(QStringLiteral("LabelName = ") + sql::quoteText(m_name));
            }
            if (labels.recordCount() == 0 || labels.noMatch()) {
                MessageBox::show(QStringLiteral("Sorry, I can't find label ") + m_name, QStringLiteral("Missing label"),
                                 MsgButtons::OK, MsgIcon::Information, this);
            } else {
                m_amended = labels.bookmark();
                for (int i = 0; i <= kHighBox; ++i) {
                    const QVariant value = labels.field(QLatin1String(kBoxes[i].field));
                    txtLabelInfo[i]->setText(i == kNameBox || value.isNull() ? value.toString()
                                             : i >= kWideBox                 ? QString::number(value.toInt())
                                                                             : labelNumberText(value.toDouble()));
                }
                // A sheet with no font of its own prints in the program's default font.
                const QVariant font = labels.field(QStringLiteral("LabelFont"));
                txtLabelInfo[kFontBox]->setText(font.isNull() ? defaultLabelFont().family() : font.toString());
                const QVariant size = labels.field(QStringLiteral("FontSize"));
                txtLabelInfo[kSizeBox]->setText(labelNumberText(size.isNull() ? defaultLabelFont().pointSizeF() : size.toDouble()));
            }
        } catch (const EngineError&) {
            // The boxes keep what was filled before the field that could not be read.
        }
    }
    m_picture->setSheet(layoutOfBoxes(), m_paper);
}

QSizeF frmNewLabelSize::paperInches()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        return zelk::paperInches(printer.defaultPageSize());
    return zelk::paperInches(defaultLabelPaper());
}

LabelLayout frmNewLabelSize::layoutOfBoxes() const
{
    auto number = [this](int i) { return readLabelNumber(txtLabelInfo[i]->text()).value_or(0); };
    LabelLayout layout;
    layout.name = txtLabelInfo[kNameBox]->text();
    layout.topMargin = number(1);
    layout.leftMargin = number(2);
    layout.labelHeight = number(3);
    layout.labelWidth = number(4);
    layout.vertGap = number(5);
    layout.horizGap = number(6);
    layout.labelsWide = txtLabelInfo[kWideBox]->text().toInt();
    layout.labelsHigh = txtLabelInfo[kHighBox]->text().toInt();
    return layout;
}

void frmNewLabelSize::cmdLoadFonts_Click()
{
    frmChooseFont fonts(m_state, txtLabelInfo[kFontBox], this);
    runModal(fonts);
}

void frmNewLabelSize::CheckOKToSaveLabel()
{
    for (QLineEdit* box : txtLabelInfo)
        if (box->text().trimmed().isEmpty())
            m_missingData = true;
}

void frmNewLabelSize::cmd1_Click(int Index)
{
    if (Index == 1) {
        reject();
        return;
    }
    for (QLineEdit* box : txtLabelInfo)
        trimBox(box);
    CheckOKToSaveLabel();
    if (m_missingData) {
        m_missingData = false;
        MessageBox::show(QStringLiteral("You must enter something in each of the boxes."), QStringLiteral("Incomplete data for label"),
                         MsgButtons::OK, MsgIcon::Information, this);
        return;
    }
    saveLabel();
}

void frmNewLabelSize::saveLabel()
{
    // Every box is read before anything is written, so a value that cannot be stored saves nothing.
    std::array<QVariant, 11> values;
    values[kNameBox] = txtLabelInfo[kNameBox]->text();
    values[kFontBox] = txtLabelInfo[kFontBox]->text();
    for (int i = 1; i < 11; ++i) {
        if (i == kFontBox)
            continue;
        const auto number = readLabelNumber(txtLabelInfo[i]->text());
        if (!number) {
            MessageBox::show(QStringLiteral("The box \"%1\" does not hold a number. Please correct it; nothing has been saved.").arg(caption(i)),
                             QStringLiteral("Label not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
            txtLabelInfo[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
        values[size_t(i)] = *number;
    }

    Recordset& labels = *m_state.rsLabels;
    const QString name = txtLabelInfo[kNameBox]->text();
    bool found = false;
    if (labels.recordCount() > 0) {
        labels.moveFirst();
        labels.findFirst(QStringLiteral("LabelName = ") + sql::quoteText(name));
        found = !labels.noMatch();
    }
    // Renaming a sheet to the name of another one would overwrite that other sheet.
    const bool otherSheet = found && (m_mode == LabelEdit::Add || (m_amended && labels.bookmark() != *m_amended));
    if (otherSheet) {
        MessageBox::show(QStringLiteral("You already have a label called ") + name, QStringLiteral("Duplicate label name"),
                         MsgButtons::OK, MsgIcon::Information, this);
        return;
    }
    // A changed name makes a new sheet: the one under the old name stays as it was.
    if (found)
        labels.edit();
    else
        labels.addNew();
    for (int i = 0; i < 11; ++i) {
        try {
            labels.setField(QLatin1String(kBoxes[i].field), values[size_t(i)]);
        } catch (const EngineError& e) {
            labels.cancelUpdate();
            MessageBox::show(QStringLiteral("The box \"%1\" holds a value that a label cannot keep. %2 Please correct it; nothing has been saved.")
                                 .arg(caption(i), e.description()),
                             QStringLiteral("Label not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
            txtLabelInfo[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    try {
        labels.update();
    } catch (const EngineError& e) {
        labels.cancelUpdate();
        MessageBox::show(QStringLiteral("The label could not be saved (%1). Nothing has been changed.").arg(e.description()),
                         QStringLiteral("Label not saved"), MsgButtons::OK, MsgIcon::Exclamation, this);
        return;
    }
    m_saved = name;
    warnOfOverrun(name);
    accept();
}

void frmNewLabelSize::warnOfOverrun(const QString& name)
{
    const LabelLayout layout = layoutOfBoxes();
    const QSizeF paper = m_paper;
    const QStringList edges = overrunEdges(layout, paper);
    if (edges.isEmpty())
        return;
    const QSizeF extent = extentOfLabels(layout);
    MessageBox::show(QStringLiteral("The labels of %1 run off %2 of %3 paper (%4 by %5 inches): they take up %6 by %7 inches from its "
                                    "top left corner. The label has been saved; please check its margins, sizes and gaps before printing.")
                         .arg(name, edgesText(edges), paperName(paper), inches(paper.width()), inches(paper.height()),
                              inches(extent.width()), inches(extent.height())),
                     QStringLiteral("Labels run off the paper"), MsgButtons::OK, MsgIcon::Exclamation, this);
}

} // namespace zelk
