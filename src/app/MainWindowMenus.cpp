// The main window's menu bar and the pictures beside its entries.
#include "app/MainWindow.h"

#include "app/Icons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace app {

namespace {

// One entry of a menu; an empty name is a separator.
struct Entry {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    int picture = 0; // 1-based menu picture, 0 for none
    bool checkable = false;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<Entry> entries;
};

const Entry kSeparator{"", "", {}};

std::vector<Menu> menuTable() {
    return {
        {"mnufichier",
         "&Fichier",
         {{"mnunew", "&Nouveau...", {}, 1},
          {"mnuload", "&Ouvrir", {}, 2},
          kSeparator,
          {"mnusave", "Enregi&strer", QKeySequence(Qt::CTRL | Qt::Key_S), 3},
          {"mnusaveim", "Exporter l'&image", {}, 4},
          {"mnupdf", "Exporter en P&DF...", {}},
          {"mnuliste", "Exporter la &liste des objets...", {}},
          kSeparator,
          {"mnuprint", "Im&primer", {}, 15},
          {"mnuechelle", "À l'é&chelle...", {}},
          kSeparator,
          {"mnuquit", "&Quitter", {}}}},
        {"mnuobjets",
         "&Objets",
         {{"mnurect", "&Rectangle", QKeySequence(Qt::CTRL | Qt::Key_R), 9},
          {"mnumes", "&Mesure", QKeySequence(Qt::CTRL | Qt::Key_M), 10},
          {"mnutext", "Te&xte", QKeySequence(Qt::CTRL | Qt::Key_X), 11},
          {"mnucerc", "&Ellipse / Cercle", QKeySequence(Qt::CTRL | Qt::Key_E), 12},
          {"mnutri", "&Triangle", QKeySequence(Qt::CTRL | Qt::Key_T), 13},
          {"mnulig", "&Ligne", QKeySequence(Qt::CTRL | Qt::Key_L), 14},
          kSeparator,
          {"mnubib", "&Bibliothèque d'accessoires", QKeySequence(Qt::CTRL | Qt::Key_B), 0, true}}},
        {"mnuedit",
         "&Edition",
         {{"mnuannuler", "A&nnuler", QKeySequence(Qt::CTRL | Qt::Key_Z)},
          {"mnuretablir", "&Rétablir", QKeySequence(Qt::CTRL | Qt::Key_Y)},
          kSeparator,
          {"mnupremier", "Mettre au &premier plan", {}, 16},
          {"mnuarrp", "Envoyer à l'&arrière-plan", {}, 5},
          kSeparator,
          {"mnupivg", "Pivoter à &gauche", QKeySequence(Qt::CTRL | Qt::Key_G), 6},
          {"mnupivd", "Pivoter à &droite", QKeySequence(Qt::CTRL | Qt::Key_D), 7},
          kSeparator,
          {"mnusuppr", "&Supprimer", {}, 8}}},
        {"mnuoptions",
         "O&ptions",
         {{"mnupref", "&Préférences...", {}},
          kSeparator,
          {"mnusurf", "Module de décompte de &surfaces", {}, 0, true},
          {"mnumasses", "&Bilan des masses...", {}},
          {"mnudonnees", "&Données du véhicule...", {}},
          {"mnumagnet", "&Magnétisme", {}, 0, true},
          kSeparator,
          {"mnuaccess", "Ajouter un &accessoire à la bibliothèque...", {}},
          {"mnuvehic", "Ajouter un &véhicule à la bibliothèque...", {}}}},
        {"mnuaide_menu",
         "&?",
         {{"mnuaide", "&Aide", QKeySequence(Qt::Key_F1)},
          {"mnulic", "&License", {}},
          {"mnupropos", "A &propos", {}},
          {"mnuremer", "&Remerciements", {}}}},
    };
}

} // namespace

QAction* MainWindow::action(const QString& objectName) const {
    return menuBar()->findChild<QAction*>(objectName);
}

void MainWindow::buildMenus() {
    for (const Menu& table : menuTable()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(table.caption));
        menu->setObjectName(QString::fromUtf8(table.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(table.name));
        for (const Entry& entry : table.entries) {
            if (QByteArray(entry.name).isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction* item = menu->addAction(QString::fromUtf8(entry.caption));
            item->setObjectName(QString::fromUtf8(entry.name));
            item->setShortcut(entry.shortcut);
            item->setCheckable(entry.checkable);
            if (entry.picture > 0)
                item->setIcon(icons::menuIcon(entry.picture));
        }
        if (QByteArray(table.name) == "mnuedit")
            editMenu_ = menu;
    }

    const auto on = [this](const char* name, std::function<void()> handler) {
        connect(action(QString::fromUtf8(name)), &QAction::triggered, this, std::move(handler));
    };
    const auto toEditor = [this](const char* name, std::function<void(editor::Editor&)> handler) {
        connect(action(QString::fromUtf8(name)), &QAction::triggered, this,
                [this, handler] { forward(handler); });
    };
    toEditor("mnunew", [](editor::Editor& e) { e.newLayout(); });
    toEditor("mnuload", [](editor::Editor& e) { e.chooseAndOpenLayout(); });
    toEditor("mnusave", [](editor::Editor& e) { e.saveLayout(); });
    toEditor("mnusaveim", [](editor::Editor& e) { e.exportPicture(); });
    on("mnuprint", [this] { printLayout(); });
    on("mnupdf", [this] { exportScaledPdf(); });
    on("mnuechelle", [this] { printToScale(); });
    toEditor("mnuliste", [](editor::Editor& e) { e.exportPartsList(); });
    on("mnuquit", [this] { requestQuit(); });

    using document::ObjectKind;
    const std::array<std::pair<const char*, ObjectKind>, 6> kinds = {
        {{"mnurect", ObjectKind::Rectangle},
         {"mnumes", ObjectKind::Measure},
         {"mnutext", ObjectKind::Text},
         {"mnucerc", ObjectKind::Ellipse},
         {"mnutri", ObjectKind::Triangle},
         {"mnulig", ObjectKind::Line}}};
    for (const auto& [name, kind] : kinds)
        toEditor(name, [kind](editor::Editor& e) { e.createObject(kind); });
    on("mnubib",
       [this] { accessoryBrowserToggled(!editor_->state().controls.accessoryBrowserShown); });

    toEditor("mnuannuler", [](editor::Editor& e) { e.undo(); });
    toEditor("mnuretablir", [](editor::Editor& e) { e.redo(); });
    action(QStringLiteral("mnuretablir"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    toEditor("mnupremier", [](editor::Editor& e) { e.bringToFront(); });
    toEditor("mnuarrp", [](editor::Editor& e) { e.sendToBack(); });
    toEditor("mnupivg", [](editor::Editor& e) { e.turn(editor::Turn::Left); });
    toEditor("mnupivd", [](editor::Editor& e) { e.turn(editor::Turn::Right); });
    toEditor("mnusuppr", [](editor::Editor& e) { e.deleteSelection(); });

    on("mnupref", [this] { showPreferences(); });
    toEditor("mnusurf", [](editor::Editor& e) { e.toggleSurfacePanel(); });
    on("mnumasses", [this] { showMassWindow(); });
    on("mnudonnees", [this] { showVehicleData(); });
    connect(action(QStringLiteral("mnumagnet")), &QAction::triggered, this,
            [this](bool on) { forward([on](editor::Editor& e) { e.setMagnetism(on); }); });
    on("mnuaccess", [this] { showAccessoryImport(); });
    on("mnuvehic", [this] { showVehicleImport(); });

    on("mnuaide", [this] { showHelp(); });
    on("mnulic", [this] { showLicence(); });
    on("mnupropos", [this] { showAbout(); });
    on("mnuremer", [this] { showCredits(); });
}

} // namespace app
