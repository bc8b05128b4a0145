#include "modal.h"

#include <QDialog>

namespace zelk {

namespace {
ModalHandler& handler()
{
    static ModalHandler h;
    return h;
}
} // namespace

int runModal(QDialog& dialog)
{
    if (!handler())
        return dialog.exec();

    // A copy, so a handler that replaces itself or opens a nested dialog stays safe.
    const ModalHandler drive = handler();
    // As exec() does: a dialog that is closed without an answer counts as rejected, even
    // when it was accepted the last time it was shown.
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    drive(dialog);
    if (dialog.isVisible())
        dialog.done(QDialog::Rejected);  // nothing a test opens stays open after it, and no question is asked
    return dialog.result();
}

void setModalHandler(ModalHandler h)
{
    handler() = std::move(h);
}

} // namespace zelk
