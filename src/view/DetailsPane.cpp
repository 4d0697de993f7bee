#include "DetailsPane.h"

#include "AccessibleNames.h"
#include "SignalController.h"
#include "SignalDiff.h"
#include "SignalEditDialog.h"
#include "SignalRowModel.h"
#include "VantorDoc.h"
#include "VantorView.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDetailsPane::CDetailsPane(CVantorView* view, QWidget* parent)
    : QWidget(parent), m_pView(view), m_pState(new QLabel(this)), m_pLayout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("detailsPane"));
    setAccessibleName(tr("Details"));
    m_pState->setObjectName(QStringLiteral("detailsState"));
    m_pState->setWordWrap(true);
    m_pState->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    // The label is read as the pane's text when the pane takes the focus with no fields.
    m_pState->setFocusPolicy(Qt::StrongFocus);
    m_pState->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_pLayout->addWidget(m_pState);
    m_pLayout->addStretch();
    SayState(tr("No signal chosen"));
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CDetailsPane::FollowCurrentRow);
    connect(view->RowModel(), &QAbstractItemModel::modelReset, this,
            &CDetailsPane::FollowCurrentRow);
    connect(view->Document(), &CVantorDoc::documentUpdated, this, &CDetailsPane::Refresh);

    // New and Open replace every record: nothing shown before applies.
    connect(view->Document(), &CVantorDoc::aboutToReset, this, [this] {
        m_pSignal = nullptr;
        BuildForm();
    });
}

bool CDetailsPane::HasChanges() const {
    if (m_pForm == nullptr)
        return false;
    CSignalDescription fields;
    m_pForm->BuildRecord(fields);
    return !SameSignal(fields, m_shown);
}

void CDetailsPane::FocusFields() {
    if (m_pForm != nullptr)
        FocusSelected(m_pForm->NameEdit());
    else
        m_pState->setFocus(Qt::ShortcutFocusReason);
}

void CDetailsPane::FollowCurrentRow() {
    // The row that becomes current for a moment while rows go is not the user's choice: a
    // deleted signal is said to be gone once the change is made.
    if (m_pView->RowModel()->IsChanging())
        return;
    const QModelIndex current = m_pView->currentIndex();
    // No current row (a find hid it, a delete took it): the signal stays shown.
    if (!current.isValid())
        return Refresh();
    CSignalDescription* signal = m_pView->RowModel()->IsOtherRow(current.row())
                                     ? nullptr
                                     : m_pView->RowModel()->SignalAt(current.row());
    if (signal == m_pSignal)
        return Refresh();
    if (HasChanges())
        emit statusMessage(tr("The changes to %1 were not applied")
                               .arg(QStringView(m_pSignal->m_szName.c_str()).toString()));
    Show(signal);
}

void CDetailsPane::Show(CSignalDescription* signal) {
    m_pSignal = signal;
    BuildForm();
    if (signal == nullptr)
        SayState(tr("A row of the other version: Take from Other makes it this database's"));
}

void CDetailsPane::Refresh() {
    if (m_pSignal == nullptr)
        return;
    if (m_pView->Document()->PositionOf(m_pSignal) < 0) {
        // Deleted (an undo may bring it back): say so, with its name, until another row is
        // chosen.
        if (m_pForm != nullptr)
            BuildForm();
        SayState(tr("%1 is no longer in the database").arg(QStringView(m_shown.m_szName.c_str())));
        return;
    }
    // The signal changed under the fields (an undo, Change Selected) or came back.
    if (m_pForm == nullptr || !SameSignal(*m_pSignal, m_shown))
        BuildForm();
}

void CDetailsPane::BuildForm() {
    // The field with the focus keeps it in the new fields; after Apply the old fields have
    // already been hidden, and the focus goes to the field Enter was pressed in.
    const QWidget* focused =
        m_pApplyingIn != nullptr ? m_pApplyingIn.data() : QApplication::focusWidget();
    const bool hadFocus =
        m_pForm != nullptr && focused != nullptr && m_pForm->isAncestorOf(focused);
    const QString focusedName = hadFocus ? focused->objectName() : QString();
    m_pApplyingIn = nullptr;
    if (m_pForm != nullptr) {
        // The old fields may be the ones whose Apply runs now: deleted once it returns.
        disconnect(m_pForm, nullptr, this, nullptr);
        m_pLayout->removeWidget(m_pForm);
        m_pForm->hide();
        m_pForm->deleteLater();
        m_pForm = nullptr;
    }
    const bool held = m_pSignal != nullptr && m_pView->Document()->PositionOf(m_pSignal) >= 0;
    m_pState->setVisible(!held);
    if (!held) {
        if (m_pSignal == nullptr)
            SayState(tr("No signal chosen"));
        if (hadFocus)
            m_pState->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_value = *m_pSignal;
    m_shown = *m_pSignal;
    m_pForm = new CSignalEditDialog(&m_value, this);
    m_pForm->UseAsPane();
    m_pForm->setAccessibleName(tr("Details of %1").arg(QStringView(m_shown.m_szName.c_str())));
    m_pLayout->insertWidget(0, m_pForm);
    m_pForm->show();
    // The field Enter or Apply is pressed in, noted before the accepted fields hide.
    connect(m_pForm->OkButton(), &QPushButton::pressed, this,
            [this] { m_pApplyingIn = QApplication::focusWidget(); });
    connect(m_pForm, &QDialog::accepted, this, &CDetailsPane::OnApplied);
    connect(m_pForm, &QDialog::rejected, this, [this] {
        BuildForm();
        emit leaveRequested();
    });
    if (!hadFocus)
        return;
    auto* again = focusedName.isEmpty() ? nullptr : m_pForm->findChild<QWidget*>(focusedName);
    (again != nullptr && again->isVisibleTo(m_pForm) ? again : m_pForm->NameEdit())
        ->setFocus(Qt::OtherFocusReason);
}

void CDetailsPane::SayState(const QString& text) {
    m_pState->setText(text);
    m_pState->setAccessibleName(text);
    m_pState->show();
}

void CDetailsPane::OnApplied() {
    CSignalDescription* signal = m_pSignal;
    // Apply with nothing changed makes no step; the fields come back as they were.
    if (signal == nullptr || SameSignal(m_value, *signal))
        return BuildForm();
    const QModelIndex current = m_pView->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    m_pView->Controller()->Edit(signal, m_value);
    // The signal moved to its place under the sort: its row stays the current one.
    m_pView->SelectSignalRow(signal, column);
    Refresh();
}
