#include "MainFrame.h"

#include "ShortcutsDialog.h"

#include "Announcer.h"
#include "CommandAction.h"
#include "CommandIds.h"
#include "DetailsPane.h"
#include "DocTemplate.h"
#include "EditorSettings.h"
#include "FindBar.h"
#include "HelpWindow.h"
#include "LockKeys.h"
#include "Looks.h"
#include "MessageBar.h"
#include "ParameterBar.h"
#include "ProblemsPane.h"
#include "Prompts.h"
#include "SignalRowModel.h"
#include "VantorDoc.h"
#include "VantorView.h"
#include "Workspace.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScopeGuard>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int HelpTopic = 6165;

} // namespace

CMainFrame::CMainFrame(CDocTemplate* docTemplate, const QList<QAction*>& appCommands,
                       QWidget* parent)
    : QMainWindow(parent), m_pView(new CVantorView(docTemplate->Document(), this)),
      m_pDetails(new CDetailsPane(m_pView, this)), m_pFindBar(new CFindBar(this)),
      m_pParameterBar(new CParameterBar(this)), m_pMessageBar(new CMessageBar(this)),
      m_nLook(ReadSetting(Settings::Look)) {
    // The look chosen last (kept beside the layout, the workspace being erased at exit), else
    // the desktop's own.
    if (m_nLook == 0)
        m_nLook = DefaultLook;
    RememberDesktopLook();
    setObjectName(QStringLiteral("MainFrame"));
    AddCommands(OwnCommands());
    AddCommands(m_pView->Commands());
    AddCommands(docTemplate->Commands());
    AddCommands(appCommands);
    setWindowIcon(QIcon(QStringLiteral(":/icons/com.korvel.QuarnEditor.svg")));
    BuildCentral();
    setAcceptDrops(true);
    OnSelectLook(m_nLook);

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    // F1 asks for help like Help > Contents, without showing a key in the menu.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, Action(ID_HELP), &QAction::trigger);
    // Lock keys change with key presses and while another window has the focus.
    qApp->installEventFilter(this);
    UpdateLockPanes();
    RestoreLayout();
}

// The window's own commands: the looks, help, the status bar, the toolbar and find.
QList<QAction*> CMainFrame::OwnCommands() {
    QList<QAction*> own;
    auto* looks = new QActionGroup(this);
    for (std::uint32_t id = ID_LOOK_BASIC; id <= ID_LOOK_DESKTOP; ++id) {
        QAction* look = MakeCommand(this, id, [this, id] { OnSelectLook(static_cast<int>(id)); });
        look->setCheckable(true);
        looks->addAction(look);
        own << look;
    }
    own << MakeCommand(this, ID_HELP, [this] { OnHelpContents(); });
    QAction* statusBarShown = MakeCommand(this, ID_VIEW_STATUS_BAR);
    statusBarShown->setEnabled(true);
    statusBarShown->setCheckable(true);
    statusBarShown->setChecked(true);
    connect(statusBarShown, &QAction::toggled, this,
            [this](bool shown) { statusBar()->setVisible(shown); });
    own << statusBarShown;
    // Customize has nothing to run: no menu shows it until it does something. The pane
    // list's toolbar item shows the toolbar.
    own << MakeCommand(this, ID_TOOLBAR_CUSTOMIZE);
    own << MakeCommand(this, ID_VIEW_TOOLBAR, [] {});
    // F4 shows the details pane and goes into its fields; again, it hides it and goes back to
    // the list.
    QAction* details =
        MakeCommand(this, ID_VIEW_DETAILS, [this] { ShowDetails(!m_pDetailsDock->isVisible()); });
    details->setCheckable(true);
    own << details;
    QAction* problems = MakeCommand(this, ID_VIEW_PROBLEMS, [this] {
        const bool shown = !m_pProblemsDock->isVisible();
        m_pProblemsDock->setVisible(shown);
        if (shown) {
            m_pProblemsDock->raise();
            m_pProblems->Tree()->setFocus();
        } else {
            m_pView->setFocus();
        }
    });
    problems->setCheckable(true);
    own << problems;
    own << MakeCommand(this, ID_EDIT_FIND, [this] { m_pFindBar->Activate(); });
    own << MakeCommand(this, ID_EDIT_FIND_PARAMETERS, [this] { m_pParameterBar->Activate(); });
    own << MakeCommand(this, ID_VIEW_SHORTCUTS, [this] {
        CShortcutsDialog dialog(this);
        CPrompts::RunDialog(dialog);
    });
    // F6 and Shift+F6 go between the list and the details pane while it is shown; with no
    // other pane they stay the window's keys, with nothing to do.
    for (std::uint32_t id : {ID_NEXT_PANE, ID_PREV_PANE}) {
        QAction* pane = MakeCommand(this, id, [this] { SwitchPane(); });
        pane->setEnabled(false);
        own << pane;
    }
    return own;
}

// The message bar and the find bar above the list.
void CMainFrame::BuildCentral() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_pMessageBar);
    column->addWidget(m_pFindBar);
    column->addWidget(m_pParameterBar);
    column->addWidget(m_pView, 1);
    setCentralWidget(central);
    connect(m_pFindBar, &CFindBar::findTextChanged, m_pView, [this](const QString& text) {
        CPrompts::Guard(this, [this, &text] { m_pView->SetFindText(text); });
    });
    connect(m_pFindBar, &CFindBar::closed, m_pView, [this] { m_pView->setFocus(); });
    connect(m_pMessageBar, &CMessageBar::closedWithFocus, m_pView, [this] { m_pView->setFocus(); });
    connect(m_pParameterBar, &CParameterBar::queryChanged, m_pView, [this] {
        CPrompts::Guard(this, [this] { m_pView->SetParameterQuery(m_pParameterBar->Query()); });
    });
    connect(m_pParameterBar, &CParameterBar::closed, m_pView, [this] {
        CPrompts::Guard(this, [this] { m_pView->EndParameterFind(); });
        m_pView->setFocus();
    });
    // Another database (New, Open, Close): a find text typed for the old one would hide
    // the new one's rows.
    connect(m_pView->Document(), &CVantorDoc::resetDone, m_pFindBar, [this] {
        if (m_pFindBar->isVisibleTo(this) || !m_pFindBar->Edit()->text().isEmpty())
            m_pFindBar->Close();
        if (m_pParameterBar->isVisibleTo(this))
            m_pParameterBar->Close();
    });
    connect(m_pView, &CVantorView::notice, this, &CMainFrame::ShowNotice);
    connect(m_pView, &CVantorView::statusMessage, this, [this](const QString& text) {
        statusBar()->showMessage(text, 10000);
        m_pAnnouncer->Say(text);
    });
    connect(m_pView, &CVantorView::endFindRequested, this, [this] {
        if (m_pFindBar->isVisibleTo(this) || !m_pFindBar->Edit()->text().isEmpty())
            m_pFindBar->Close();
        if (m_pParameterBar->isVisibleTo(this))
            m_pParameterBar->Close();
    });
    BuildDetailsDock();
    BuildProblemsDock();
}

CMainFrame::~CMainFrame() {
    // The details pane goes first, while the list it follows is whole; the dock hides as it
    // goes, and nothing of the frame may hear that.
    for (QDockWidget* dock : {m_pDetailsDock, m_pProblemsDock}) {
        if (dock != nullptr) {
            disconnect(dock, nullptr, this, nullptr);
            delete dock;
        }
    }
}

void CMainFrame::ShowNotice(const QString& text, const QString& kind) {
    // What came in twice leads to the list of problems.
    if (kind == QLatin1String("repeats"))
        m_pMessageBar->ShowWithActions(text, {m_pShowProblems}, kind);
    else
        m_pMessageBar->Show(text, kind);
}

void CMainFrame::BuildProblemsDock() {
    m_pShowProblems = new QAction(tr("Show &Problems"), this);
    connect(m_pShowProblems, &QAction::triggered, this, [this] {
        m_pProblemsDock->show();
        m_pProblemsDock->raise();
        m_pProblems->Tree()->setFocus();
    });
    m_pProblems = new CProblemsPane(m_pView, this);
    m_pProblemsDock = new QDockWidget(tr("Problems"), this);
    m_pProblemsDock->setObjectName(QStringLiteral("problemsDock"));
    m_pProblemsDock->setAccessibleName(tr("Problems"));
    m_pProblemsDock->setWidget(m_pProblems);
    m_pProblemsDock->hide();
    addDockWidget(Qt::BottomDockWidgetArea, m_pProblemsDock);
    connect(m_pProblemsDock, &QDockWidget::visibilityChanged, this,
            [this] { Action(ID_VIEW_PROBLEMS)->setChecked(m_pProblemsDock->isVisibleTo(this)); });
    // Delete and Edit act on the entry's signal, just selected, as the list's own commands.
    connect(m_pProblems, &CProblemsPane::commandRequested, this, [this](std::uint32_t id) {
        if (QAction* command = Action(id); command != nullptr && command->isEnabled())
            command->trigger();
    });
}

void CMainFrame::BuildDetailsDock() {
    m_pDetailsDock = new QDockWidget(tr("Details"), this);
    m_pDetailsDock->setObjectName(QStringLiteral("detailsDock"));
    m_pDetailsDock->setAccessibleName(tr("Details"));
    m_pDetailsDock->setWidget(m_pDetails);
    m_pDetailsDock->hide();
    addDockWidget(Qt::RightDockWidgetArea, m_pDetailsDock);
    // The menu's mark and F6 follow the pane, also when its own button closes it (the frame's
    // destructor lets the dock go first, so the actions are there whenever this runs).
    connect(m_pDetailsDock, &QDockWidget::visibilityChanged, this, [this] {
        const bool shown = m_pDetailsDock->isVisibleTo(this);
        Action(ID_VIEW_DETAILS)->setChecked(shown);
        Action(ID_NEXT_PANE)->setEnabled(shown);
        Action(ID_PREV_PANE)->setEnabled(shown);
    });
    connect(m_pDetails, &CDetailsPane::statusMessage, this, [this](const QString& text) {
        statusBar()->showMessage(text, 10000);
        m_pAnnouncer->Say(text);
    });
    connect(m_pDetails, &CDetailsPane::leaveRequested, m_pView, [this] { m_pView->setFocus(); });
}

void CMainFrame::SwitchPane() {
    const QWidget* focused = QApplication::focusWidget();
    if (focused != nullptr && m_pDetails->isAncestorOf(focused))
        m_pView->setFocus(Qt::TabFocusReason);
    else if (m_pDetailsDock->isVisible())
        m_pDetails->FocusFields();
}

void CMainFrame::ShowDetails(bool shown) {
    m_pDetailsDock->setVisible(shown);
    Action(ID_VIEW_DETAILS)->setChecked(shown);
    if (shown)
        m_pDetails->FocusFields();
    else
        m_pView->setFocus();
}

// The menu bar, the context menu and the looks' menu from the command table.
void CMainFrame::BuildMenus() {
    auto* main = new QMenu(this);
    BuildMenu(main, MainMenuEntries());
    for (QAction* popup : main->actions())
        menuBar()->addMenu(popup->menu());
    m_pFileMenu = main->actions().at(0)->menu();

    // Three more recent-file entries follow "Recent File"; the application fills them.
    QAction* recent = Action(ID_FILE_MRU_FILE1);
    const auto fileActions = m_pFileMenu->actions();
    QAction* after = fileActions.at(fileActions.indexOf(recent) + 1);
    for (std::uint32_t id = ID_FILE_MRU_FILE1 + 1; id <= ID_FILE_MRU_FILE4; ++id) {
        m_pFileMenu->insertAction(after, Action(id));
    }

    // "Toolbars and Docking Windows" lists the panes in place of its placeholder.
    for (QObject* object : Action(ID_VIEW_TOOLBAR)->associatedObjects()) {
        if (auto* panes = qobject_cast<QMenu*>(object))
            connect(panes, &QMenu::aboutToShow, this, [this, panes] { FillPaneMenu(panes); });
    }

    m_pContextMenu = new QMenu(this);
    BuildMenu(m_pContextMenu, ContextMenuEntries());
    m_pView->SetContextMenu(m_pContextMenu->actions().at(0)->menu());
    m_pLookMenu = new QMenu(this); // a resource only: attached nowhere
    BuildMenu(m_pLookMenu, LookMenuEntries());
    QList<QKeySequence> reserved;
    for (const Accelerator& key : Accelerators())
        reserved << QKeySequence(key.keys);
    m_pView->SetReservedKeys(reserved);
}

void CMainFrame::AddCommands(const QList<QAction*>& commands) {
    for (QAction* action : commands) {
        m_actions.insert(CommandId(action), action);
        // The keys work wherever the focus is in the window.
        addAction(action);
        connect(action, &QAction::hovered, this, [this, action] {
            if (m_pPrompt)
                m_pPrompt->setText(action->statusTip().isEmpty() ? tr("Ready")
                                                                 : action->statusTip());
        });
    }
}

void CMainFrame::BuildMenu(QMenu* menu, std::span<const MenuEntry> entries) {
    std::vector<QMenu*> stack{menu};
    for (const MenuEntry& entry : entries) {
        QMenu* current = stack.back();
        switch (entry.kind) {
        case MenuEntryKind::PopupBegin:
            stack.push_back(current->addMenu(CommandTr(entry.text)));
            break;
        case MenuEntryKind::PopupEnd:
            stack.pop_back();
            break;
        case MenuEntryKind::Separator:
            current->addSeparator();
            break;
        case MenuEntryKind::Include:
            BuildMenu(current, {entry.include, entry.includeCount});
            break;
        case MenuEntryKind::Item:
            current->addAction(Action(entry.id));
            break;
        }
    }
}

void CMainFrame::BuildToolBar() {
    m_pToolBar = addToolBar(tr("Standard"));
    m_pToolBar->setObjectName(QStringLiteral("Standard"));
    // The button Qt adds when the window is too narrow for every button.
    if (auto* more = m_pToolBar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(tr("More toolbar buttons"));
    m_pToolBar->setMovable(true);
    m_pToolBar->setIconSize(QSize(16, 16));
    const struct {
        std::uint32_t id;
        QStyle::StandardPixmap icon;
    } icons[] = {{ID_FILE_NEW, QStyle::SP_FileIcon},
                 {ID_FILE_OPEN, QStyle::SP_DialogOpenButton},
                 {ID_FILE_SAVE, QStyle::SP_DialogSaveButton},
                 {ID_SIGNAL_NEW, QStyle::SP_FileDialogNewFolder},
                 {ID_SIGNAL_DELETE, QStyle::SP_TrashIcon},
                 {ID_HELP, QStyle::SP_DialogHelpButton}};
    for (const auto& icon : icons)
        Action(icon.id)->setIcon(style()->standardIcon(icon.icon));
    Action(ID_HELP)->setToolTip(tr("Help"));
    for (const QString& id : ReadSetting(Settings::HiddenToolbarButtons))
        m_hiddenButtons << id.toUInt();
    FillToolBar();
}

void CMainFrame::FillToolBar() {
    m_pToolBar->clear();
    // A separator stands only between two groups that each show a button.
    bool pendingSeparator = false;
    for (std::uint32_t id : ToolbarButtons()) {
        if (id == 0) {
            pendingSeparator = !m_pToolBar->actions().isEmpty();
            continue;
        }
        if (m_hiddenButtons.contains(id))
            continue;
        if (pendingSeparator)
            m_pToolBar->addSeparator();
        pendingSeparator = false;
        QAction* action = Action(id);
        m_pToolBar->addAction(action);
        // Named by the command alone: the key is the button's shortcut, not its name.
        m_pToolBar->widgetForAction(action)->setAccessibleName(action->toolTip());
    }
    auto* customize = new QToolButton(m_pToolBar);
    customize->setObjectName(QStringLiteral("CustomizeDropDown"));
    customize->setArrowType(Qt::DownArrow);
    customize->setAutoRaise(true);
    customize->setPopupMode(QToolButton::InstantPopup);
    customize->setAccessibleName(tr("Toolbar options"));
    auto* menu = new QMenu(customize);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillCustomizeMenu(menu); });
    FillCustomizeMenu(menu);
    customize->setMenu(menu);
    m_pToolBar->addWidget(customize);
}

void CMainFrame::FillCustomizeMenu(QMenu* menu) {
    menu->clear();
    QMenu* buttons = menu->addMenu(tr("&Add or Remove Buttons"));
    for (std::uint32_t id : ToolbarButtons()) {
        if (id == 0)
            continue;
        QAction* command = Action(id);
        QAction* item = buttons->addAction(command->icon(), command->toolTip());
        item->setCheckable(true);
        item->setChecked(!m_hiddenButtons.contains(id));
        // Queued: the toolbar refill deletes this menu.
        connect(
            item, &QAction::toggled, this, [this, id](bool shown) { SetButtonShown(id, shown); },
            Qt::QueuedConnection);
    }
    buttons->addSeparator();
    connect(buttons->addAction(tr("&Reset Toolbar")), &QAction::triggered, this,
            &CMainFrame::ResetToolBar, Qt::QueuedConnection);
}

void CMainFrame::SetButtonShown(std::uint32_t id, bool shown) {
    m_hiddenButtons.removeAll(id);
    if (!shown)
        m_hiddenButtons << id;
    QStringList ids;
    for (std::uint32_t hidden : m_hiddenButtons)
        ids << QString::number(hidden);
    WriteSetting(Settings::HiddenToolbarButtons, ids);
    FillToolBar();
}

void CMainFrame::ResetToolBar() {
    m_hiddenButtons.clear();
    WriteSetting(Settings::HiddenToolbarButtons, QStringList());
    FillToolBar();
}

void CMainFrame::BuildStatusBar() {
    m_pPrompt = new QLabel(tr("Ready"), this);
    m_pPrompt->setObjectName(QStringLiteral("Prompt"));
    statusBar()->addWidget(m_pPrompt, 1);
    m_pFindPane = new QLabel(this);
    m_pFindPane->setObjectName(QStringLiteral("FindPane"));
    statusBar()->addPermanentWidget(m_pFindPane);
    m_pCountPane = new QLabel(this);
    m_pCountPane->setObjectName(QStringLiteral("CountPane"));
    statusBar()->addPermanentWidget(m_pCountPane);
    // What a find or a filter leaves shown, and what a command says in the status bar, is
    // spoken as it changes.
    m_pAnnouncer = new CAnnouncer(this);
    statusBar()->addPermanentWidget(m_pAnnouncer);
    // The panes follow every change of the rows (new, open, delete, cut, paste, merge, undo,
    // redo) and of the filter and the find text.
    CSignalRowModel* rows = m_pView->RowModel();
    connect(rows, &QAbstractItemModel::modelReset, this, &CMainFrame::UpdateCountPanes);
    connect(rows, &QAbstractItemModel::layoutChanged, this, &CMainFrame::UpdateCountPanes);
    connect(rows, &QAbstractItemModel::rowsInserted, this, &CMainFrame::UpdateCountPanes);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &CMainFrame::UpdateCountPanes);
    connect(m_pView->Document(), &CVantorDoc::documentUpdated, this, &CMainFrame::UpdateCountPanes);
    connect(m_pView, &CVantorView::comparisonChanged, this, &CMainFrame::UpdateCountPanes);
    // The comparison's notice goes with the comparison.
    connect(m_pView, &CVantorView::comparisonChanged, m_pMessageBar, [this] {
        if (m_pView->Comparison() == nullptr)
            m_pMessageBar->Withdraw(QStringLiteral("compare"));
    });
    UpdateCountPanes();
    int pane = 0;
    for (std::uint32_t id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        const QString name = QString::fromLatin1(StandardPrompt(id));
        auto* indicator = new QLabel(this);
        indicator->setObjectName(name);
        indicator->setMinimumWidth(fontMetrics().horizontalAdvance(name) + 8);
        statusBar()->addPermanentWidget(indicator);
        m_pLockPanes[pane++] = indicator;
    }
    // Leaving a menu or a button brings back "Ready".
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& text) {
        m_pPrompt->setText(text.isEmpty() ? tr("Ready") : text);
    });
}

void CMainFrame::UpdateCountPanes() {
    const CSignalRowModel* model = m_pView->RowModel();
    const int total = m_pView->Document()->GetSignalCount();
    const QString before = m_pCountPane->text();
    const auto sayChange = qScopeGuard([this, before, model] {
        // A find or a filter narrowing the rows, or ending, is heard.
        const bool filtered = model->IsFiltered();
        if (m_pCountPane->text() != before && (filtered || m_bCountFiltered))
            m_pAnnouncer->Say(m_pCountPane->text());
        m_bCountFiltered = filtered;
    });
    if (model->IsFiltered())
        m_pCountPane->setText(tr("%1 of %2 shown").arg(model->OwnRowCount()).arg(total));
    else
        m_pCountPane->setText(total == 1 ? tr("1 signal") : tr("%1 signals").arg(total));
    // While comparing, the pane counts each kind of difference as well.
    if (const QString counts = m_pView->ComparisonCounts(); !counts.isEmpty())
        m_pCountPane->setText(m_pCountPane->text() + QStringLiteral(" \u00B7 ") + counts);
    const QString find = model->FindText();
    m_pFindPane->setText(find.isEmpty() ? QString() : tr("Find: %1").arg(find));
}

void CMainFrame::UpdateLockPanes() {
    const std::optional<LockKeyStates> states = ReadLockKeyStates();
    const bool on[] = {states && states->caps, states && states->num, states && states->scroll};
    for (int pane = 0; pane < 3; ++pane)
        m_pLockPanes[pane]->setText(on[pane] ? m_pLockPanes[pane]->objectName() : QString());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    bool lockKey = false;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        lockKey = key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
    }
    if (lockKey || event->type() == QEvent::ApplicationActivate)
        UpdateLockPanes();
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::FillPaneMenu(QMenu* menu) {
    menu->clear();
    QAction* toolbar = m_pToolBar->toggleViewAction();
    toolbar->setText(tr("Standard"));
    menu->addAction(toolbar);
    menu->addAction(Action(ID_VIEW_STATUS_BAR));
    menu->addAction(Action(ID_VIEW_DETAILS));
    menu->addAction(Action(ID_VIEW_PROBLEMS));
}

QMenu* CMainFrame::createPopupMenu() {
    auto* menu = new QMenu(this);
    FillPaneMenu(menu);
    return menu;
}

QString CMainFrame::HelpFilePath() const {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("korvel-decoder.chm"));
}

void CMainFrame::OnSelectLook(int lookId) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_nLook = lookId;
    if (QAction* look = Action(static_cast<std::uint32_t>(lookId)))
        look->setChecked(true);
    if (lookId == DefaultLook)
        ApplyDesktopLook();
    else
        ApplyLook(lookId);
    WriteSetting(Settings::ApplicationLook, m_nLook);
    WriteSetting(Settings::Look, m_nLook);
    QApplication::restoreOverrideCursor();
}

void CMainFrame::OnHelpContents() {
    // The help file beside the program when there is one and the desktop can show it; else
    // the built-in user guide.
    if (QFile::exists(HelpFilePath())) {
        QUrl url = QUrl::fromLocalFile(HelpFilePath());
        url.setFragment(QString::number(HelpTopic));
        if (CPrompts::OpenUrl(url))
            return;
    }
    if (m_pHelpWindow == nullptr)
        m_pHelpWindow = new CHelpWindow(this);
    m_pHelpWindow->show();
    m_pHelpWindow->raise();
    m_pHelpWindow->activateWindow();
}

void CMainFrame::RestoreLayout() {
    QHeaderView* header = m_pView->horizontalHeader();
    if (!restoreGeometry(ReadSetting(Settings::WindowGeometry)))
        resize(1000, 600);
    restoreState(ReadSetting(Settings::WindowState));
    if (header->restoreState(ReadSetting(Settings::ListColumns)))
        return;
    // No layout yet: each column as wide as its heading, and at least as the default.
    const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) +
                        style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
    for (int column = 0; column < header->count(); ++column) {
        const QString heading = m_pView->model()->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(column,
                              std::max(header->defaultSectionSize(),
                                       header->fontMetrics().horizontalAdvance(heading) + padding));
    }
    // The Name column fits the first rows shown, up to half the window; once.
    auto* fit = new QObject(this);
    const auto fitName = [this, fit] {
        if (m_pView->model()->rowCount() == 0)
            return;
        QTimer::singleShot(0, this, [this] {
            m_pView->resizeColumnToContents(0);
            m_pView->horizontalHeader()->resizeSection(
                0, std::min(m_pView->horizontalHeader()->sectionSize(0), width() / 2));
        });
        fit->deleteLater();
    };
    connect(m_pView->Document(), &CVantorDoc::resetDone, fit, fitName);
    fitName();
}

void CMainFrame::SaveLayout() {
    // The layout keeps the list's own columns, not the Match column of a find.
    if (m_pParameterBar->isVisibleTo(this))
        m_pParameterBar->Close();
    WriteSetting(Settings::WindowGeometry, saveGeometry());
    WriteSetting(Settings::WindowState, saveState());
    WriteSetting(Settings::ListColumns, m_pView->horizontalHeader()->saveState());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    bool accept = true;
    emit closeRequested(&accept);
    if (accept)
        SaveLayout();
    if (accept)
        event->accept();
    else
        event->ignore();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    emit fileDropped(urls.first().toLocalFile());
}
