// Showing the current member, and adapting the window to the register's settings.
#include "frm_zelk_main.h"
#include "picture_box.h"

#include "core/app_state.h"
#include "ui/guarded.h"

#include "data/field_names.h"
#include "data/schema.h"
#include "engine/engine_error.h"
#include "engine/regional.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelk {

void frmZelkMain::RefreshData()
{
    auto& rs = *m_state.rsZelk;
    // Moving past an end leaves no current member: the last (or first) is shown instead.
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool noCurrentMember = false;
        const bool shown = guarded(QStringLiteral("RefreshData"), this, [&] {
            try {
                if (rs.recordCount() == 0)
                    showEmptyRegister();
                else
                    showCurrentMember();
            } catch (const EngineError& e) {
                if (e.number() != err::NoCurrentRecord)
                    throw;
                noCurrentMember = true;
            }
        });
        if (!shown) {
            // The window still shows the member it showed: the record set goes back to it,
            // so that nothing done next lands on a member the user has not seen.
            if (m_shownRow) {
                try {
                    rs.setBookmark(*m_shownRow);
                } catch (const EngineError&) {
                }
            }
            EnableNavigation();
        }
        if (!noCurrentMember)
            return;
        try {
            if (rs.eof())
                rs.moveLast();
            else
                rs.moveFirst();
        } catch (const EngineError&) {
        }
    }
}

void frmZelkMain::showCurrentMember()
{
    const auto& rs = *m_state.rsZelk;
    // Every value is read before any box changes, so a read that fails leaves the member
    // shown before whole on screen.
    std::array<QVariant, kNotesBox> values;
    for (int i = 0; i < kNotesBox; ++i)
        values[size_t(i)] = rs.field(boxField(i));
    const QVariant picture = rs.field(field::Picture);
    const QString notes = rs.field(field::Memo).toString();
    const bool lapsed = rs.field(field::Lapsed).toBool();
    const qint64 row = rs.bookmark();
    for (int i = 0; i < kNotesBox; ++i) {
        const QVariant& value = values[size_t(i)];
        QString text;
        if (!value.isNull()) {
            if (i == kFeeBox)
                text = regional::formatCurrency(value.toDouble());
            else if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
                text = regional::formatDateValue(value);
            else
                text = value.toString();
        }
        setBoxText(i, text);
    }
    showPicture(picture);
    setBoxText(kNotesBox, notes);
    chkLapsed->setChecked(lapsed);
    m_shownRow = row;
    // A stored member is on show: the next save amends it, whatever was typed before.
    m_state.NewMember = 0;
    EnableNavigation();
}

void frmZelkMain::showEmptyRegister()
{
    for (int i = 0; i < kBoxCount; ++i)
        setBoxText(i, QString());
    Picture1->clearPicture();
    Picture1->Tag.clear();
    chkLapsed->setChecked(false);
    m_shownRow.reset();
    // With no member left, the next save adds one.
    m_state.NewMember = -1;
    EnableNavigation();
}

void frmZelkMain::showPicture(const QVariant& path)
{
    const QString file = path.toString();
    if (path.isNull() || file.isEmpty() || !QFileInfo(file).isFile()) {
        Picture1->clearPicture();
        Picture1->Tag.clear();
        return;
    }
    // A file that is there but cannot be shown keeps its path: saving must not lose it.
    if (Picture1->Tag != file || !Picture1->hasPicture()) {
        if (Picture1->loadPicture(file) != PictureBox::Load::Loaded)
            Picture1->clearPicture();
    }
    Picture1->Tag = file;
}

void frmZelkMain::ClearFields()
{
    for (int i = 0; i < kBoxCount; ++i) {
        setBoxText(i, QString());
        Tag[i].clear();
    }
}

void frmZelkMain::ShowNextNumber()
{
    m_state.reopen(m_state.rsSettings, query::settingsRow());
    m_state.rsSettings->moveFirst();
    const QVariant last = m_state.rsSettings->field(field::LastNumber);
    setBoxText(kNumberBox, QString::number(qint64(last.toInt()) + 1));
}

// The navigation buttons, the search (menu and F4) and New go together.
void frmZelkMain::setNavigation(bool enabled)
{
    for (auto* b : cmdNext)
        b->setEnabled(enabled);
    menuSearch->menuAction()->setEnabled(enabled);
    mnuSearch->setEnabled(enabled);
    Command1[2]->setEnabled(enabled);
}

void frmZelkMain::EnableNavigation()
{
    m_unsaved = false;
    setNavigation(true);
}

void frmZelkMain::StopSave()
{
    m_unsaved = true;
    setNavigation(false);
}

void frmZelkMain::ApplyIncludeSkip()
{
    auto& settings = *m_state.rsSettings;
    settings.moveFirst();
    const QStringList flags = schema::includeFlagFields();
    for (int k = 0; k < flags.size(); ++k) {
        const QVariant flag = settings.field(flags[k]);
        // The surname and the first address line are never skipped, whatever a register
        // from elsewhere says: no member could be saved without them.
        const bool required = k + 1 == kSurnameBox || k + 1 == kAddress1Box;
        const bool enabled = flag.isNull() || flag.toBool() || required;
        // Flags 0 to 27 stand for boxes 1 to 28; then the picture and the lapsed tick.
        if (k < 28)
            box(k + 1)->setEnabled(enabled);
        else if (k == 28)
            Picture1->setEnabled(enabled);
        else
            chkLapsed->setEnabled(enabled);
    }
}

QList<QWidget*> frmZelkMain::captionControls() const
{
    QList<QWidget*> controls;
    for (auto* label : Label1)
        controls << label;
    controls << chkLapsed << Frame1;
    for (int i = 0; i < 4; ++i)
        controls << Command1[i];
    return controls;
}

void frmZelkMain::ApplyScreenText()
{
    auto& settings = *m_state.rsSettings;
    settings.moveFirst();
    const auto& captions = schema::captionFields();
    const QList<QWidget*> controls = captionControls();
    for (int k = 0; k < int(captions.size()); ++k) {
        // A Null text means the window's own caption, also when a text of the user's is
        // showing from before.
        const QVariant text = settings.field(captions[size_t(k)].field);
        const QString caption = text.isNull() ? m_builtInCaptions[k] : text.toString();
        showCaption(controls[k], caption);
    }
}

} // namespace zelk
