// The grading window's actions, menus, toolbar and panels.

#include "casesmodel.h"
#include "look.h"
#include "pruefendialogs.h"
#include "pruefenwindow.h"
#include "resultsmodel.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

QAction* makeAction(QWidget* owner, const QString& objectName, const QString& text,
                    const QString& tip, const QIcon& icon, const QKeySequence& key = {}) {
    auto* action = new QAction(icon, text, owner);
    action->setObjectName(objectName);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

QTableView* makeTable(QWidget* parent, const QString& objectName, const QString& accessibleName) {
    auto* view = new QTableView(parent);
    view->setObjectName(objectName);
    view->setAccessibleName(accessibleName);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->setTabKeyNavigation(false);
    return view;
}

// Each column as wide as its heading or the given number of digits, whichever is more.
void fitColumns(QTableView* view, const QList<std::pair<int, int>>& digits) {
    const int digit = view->fontMetrics().horizontalAdvance(u'0');
    for (const auto& [column, count] : digits)
        view->setColumnWidth(
            column, std::max(count * digit, view->horizontalHeader()->sectionSizeHint(column)));
}

class ElideLeftDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideLeft;
    }
};

QGroupBox* makeBox(QWidget* parent, const QString& objectName, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(objectName);
    box->setAccessibleName(title);
    Look::setGroupBoxLook(box);
    return box;
}

} // namespace

void PruefenWindow::buildActions() {
    const QStyle* style = QApplication::style();
    m_openTask = makeAction(this, QStringLiteral("AufgabeOeffnenAction"),
                            QStringLiteral("&Aufgabe öffnen..."),
                            QStringLiteral("Eine Aufgabendatei (.aufgabe) öffnen"),
                            Look::picture(Look::Picture::Oeffnen), QKeySequence::Open);
    m_addPrograms =
        makeAction(this, QStringLiteral("ProgrammeHinzufuegenAction"),
                   QStringLiteral("&Programme hinzufügen..."),
                   QStringLiteral("Programmdateien (.rmp) zur Liste hinzufügen"),
                   Look::picture(Look::Picture::Neu), QKeySequence(Qt::CTRL | Qt::Key_P));
    m_addFolder = makeAction(
        this, QStringLiteral("OrdnerHinzufuegenAction"), QStringLiteral("&Ordner hinzufügen..."),
        QStringLiteral("Jedes Programm (.rmp) eines Ordners hinzufügen"),
        style->standardIcon(QStyle::SP_DirOpenIcon), QKeySequence(Qt::CTRL | Qt::Key_D));
    m_clearList =
        makeAction(this, QStringLiteral("ListeLeerenAction"), QStringLiteral("Liste &leeren"),
                   QStringLiteral("Alle Programme aus der Liste nehmen"),
                   Look::picture(Look::Picture::RegisterClear));
    m_grade = makeAction(this, QStringLiteral("PruefenAction"), QStringLiteral("P&rüfen"),
                         QStringLiteral("Aufgabe und Programme neu lesen und alle prüfen"),
                         Look::picture(Look::Picture::Start), QKeySequence(Qt::Key_F6));
    m_cancel = makeAction(this, QStringLiteral("AbbrechenAction"), QStringLiteral("A&bbrechen"),
                          QStringLiteral("Die laufende Prüfung abbrechen"),
                          Look::picture(Look::Picture::Abbruch), QKeySequence(Qt::Key_F7));
    m_save = makeAction(this, QStringLiteral("ErgebnisseSpeichernAction"),
                        QStringLiteral("Ergebnisse &speichern unter..."),
                        QStringLiteral("Die Ergebnisse als Arbeitsmappe, CSV- oder JSON-Datei "
                                       "speichern"),
                        Look::picture(Look::Picture::Speichern), QKeySequence::Save);
    m_simulator = makeAction(this, QStringLiteral("ImSimulatorOeffnenAction"),
                             QStringLiteral("Im &Simulator öffnen"),
                             QStringLiteral("Das gewählte Programm mit den Eingaben des gewählten "
                                            "Falls in Zevo öffnen"),
                             Look::picture(Look::Picture::Einzelschritt), QKeySequence(Qt::Key_F5));
    m_help = makeAction(this, QStringLiteral("HilfeAction"), QStringLiteral("&Hilfe"),
                        QStringLiteral("Die Hilfe zum Prüfen mit Aufgabendateien öffnen"),
                        Look::picture(Look::Picture::Anleitung), QKeySequence(Qt::Key_F1));
    m_quit = makeAction(this, QStringLiteral("BeendenAction"), QStringLiteral("B&eenden"),
                        QStringLiteral("Das Fenster schließen"),
                        Look::picture(Look::Picture::Beenden), QKeySequence(Qt::ALT | Qt::Key_F4));

    connect(m_openTask, &QAction::triggered, this, [this] {
        guarded([this] {
            const QString path = m_dialogs.openTaskFile();
            if (!path.isEmpty())
                openTask(path);
        });
    });
    connect(m_addPrograms, &QAction::triggered, this,
            [this] { guarded([this] { addPrograms(m_dialogs.openProgramFiles()); }); });
    connect(m_addFolder, &QAction::triggered, this, [this] {
        guarded([this] {
            const QString folder = m_dialogs.chooseFolder();
            if (!folder.isEmpty())
                addPrograms({folder});
        });
    });
    connect(m_clearList, &QAction::triggered, this, [this] { guarded([this] { clearList(); }); });
    connect(m_grade, &QAction::triggered, this, [this] { guarded([this] { gradeAgain(); }); });
    connect(m_cancel, &QAction::triggered, this, [this] { guarded([this] { cancelGrading(); }); });
    connect(m_save, &QAction::triggered, this, [this] { guarded([this] { saveResults(); }); });
    connect(m_simulator, &QAction::triggered, this,
            [this] { guarded([this] { openInSimulator(); }); });
    connect(m_help, &QAction::triggered, this, [this] { guarded([this] { showHelp(); }); });
    connect(m_quit, &QAction::triggered, this, &QWidget::close);
}

void PruefenWindow::buildMenusAndToolBar() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("DateiMenu"));
    file->addActions({m_openTask, m_addPrograms, m_addFolder, m_clearList});
    file->addSeparator();
    file->addAction(m_save);
    file->addSeparator();
    file->addAction(m_quit);
    QMenu* grading = menuBar()->addMenu(QStringLiteral("&Prüfen"));
    grading->setObjectName(QStringLiteral("PruefenMenu"));
    grading->addActions({m_grade, m_cancel});
    grading->addSeparator();
    grading->addAction(m_simulator);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    help->setObjectName(QStringLiteral("HilfeMenu"));
    help->addAction(m_help);

    QToolBar* bar = addToolBar(QStringLiteral("Werkzeugleiste"));
    bar->setObjectName(QStringLiteral("Werkzeugleiste"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->addActions({m_openTask, m_addPrograms, m_addFolder, m_clearList});
    bar->addSeparator();
    bar->addActions({m_grade, m_cancel});
    bar->addSeparator();
    bar->addActions({m_save, m_simulator});
    bar->addSeparator();
    bar->addAction(m_help);
}

void PruefenWindow::buildCentralWidget() {
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("PruefenSplitter"));
    splitter->setChildrenCollapsible(false);

    QGroupBox* taskBox =
        makeBox(splitter, QStringLiteral("AufgabeGroupBox"), QStringLiteral("Aufgabe"));
    m_taskHeading = new QLabel(taskBox);
    m_taskHeading->setObjectName(QStringLiteral("AufgabeLabel"));
    m_taskHeading->setWordWrap(true);
    m_taskHeading->setTextFormat(Qt::PlainText);
    m_taskView = makeTable(taskBox, QStringLiteral("AufgabeFaelleTable"),
                           QStringLiteral("Fälle der Aufgabe"));
    m_taskView->setModel(m_taskCases.get());
    for (int column = CasesModel::PassedColumn; column < CasesModel::ColumnCount; ++column)
        m_taskView->setColumnHidden(column, true);
    auto* taskLayout = new QVBoxLayout(taskBox);
    taskLayout->addWidget(m_taskHeading);
    taskLayout->addWidget(m_taskView);

    QGroupBox* resultsBox =
        makeBox(splitter, QStringLiteral("ErgebnisseGroupBox"), QStringLiteral("Ergebnisse"));
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_results.get());
    m_sorted->setSortRole(ResultsModel::SortRole);
    m_resultsView = makeTable(resultsBox, QStringLiteral("ErgebnisseTable"),
                              QStringLiteral("Ergebnisse der Programme"));
    m_resultsView->setModel(m_sorted);
    m_resultsView->setSortingEnabled(true);
    // The order added until a heading is clicked.
    m_resultsView->sortByColumn(-1, Qt::AscendingOrder);
    // Long paths keep the file's own name in view; the verdict keeps its first words.
    m_resultsView->setItemDelegateForColumn(ResultsModel::ProgramColumn,
                                            new ElideLeftDelegate(m_resultsView));
    fitColumns(m_resultsView, {{ResultsModel::ProgramColumn, 40},
                               {ResultsModel::PassedColumn, 12},
                               {ResultsModel::StepsColumn, 8}});
    m_resultsView->horizontalHeader()->setSectionResizeMode(ResultsModel::ProgramColumn,
                                                            QHeaderView::Stretch);
    m_resultsView->horizontalHeader()->setSectionResizeMode(ResultsModel::VerdictColumn,
                                                            QHeaderView::Stretch);
    m_summary = new QLabel(resultsBox);
    m_summary->setObjectName(QStringLiteral("ZusammenfassungLabel"));
    m_summary->setTextFormat(Qt::PlainText);
    auto* resultsLayout = new QVBoxLayout(resultsBox);
    resultsLayout->addWidget(m_resultsView);
    resultsLayout->addWidget(m_summary);

    QGroupBox* casesBox = makeBox(splitter, QStringLiteral("ProgrammFaelleGroupBox"),
                                  QStringLiteral("Fälle des gewählten Programms"));
    m_programHeading = new QLabel(casesBox);
    m_programHeading->setObjectName(QStringLiteral("ProgrammLabel"));
    m_programHeading->setWordWrap(true);
    m_programHeading->setTextFormat(Qt::PlainText);
    m_programHeading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_casesView = makeTable(casesBox, QStringLiteral("ProgrammFaelleTable"),
                            QStringLiteral("Fälle des gewählten Programms"));
    m_casesView->setModel(m_programCases.get());
    const QList<std::pair<int, int>> caseWidths{
        {CasesModel::CaseColumn, 4},      {CasesModel::InputColumn, 18},
        {CasesModel::ExpectedColumn, 16}, {CasesModel::PassedColumn, 4},
        {CasesModel::GotColumn, 22},      {CasesModel::StepsColumn, 6}};
    fitColumns(m_casesView, caseWidths);
    // What came and the final message share the room that is left.
    m_casesView->horizontalHeader()->setSectionResizeMode(CasesModel::GotColumn,
                                                          QHeaderView::Stretch);
    m_casesView->horizontalHeader()->setSectionResizeMode(CasesModel::MessageColumn,
                                                          QHeaderView::Stretch);
    fitColumns(m_taskView, caseWidths.mid(0, 2));
    auto* casesLayout = new QVBoxLayout(casesBox);
    casesLayout->addWidget(m_programHeading);
    casesLayout->addWidget(m_casesView);

    splitter->addWidget(taskBox);
    splitter->addWidget(resultsBox);
    splitter->addWidget(casesBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 4);
    splitter->setStretchFactor(2, 4);
    setCentralWidget(splitter);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("FortschrittProgressBar"));
    m_progress->setAccessibleName(QStringLiteral("Fortschritt der Prüfung"));
    m_progress->setFormat(QStringLiteral("%v von %m"));
    m_progress->setMaximumWidth(260);
    m_progress->hide();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addPermanentWidget(m_progress);
}
