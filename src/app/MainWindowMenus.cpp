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
    icons::MenuPicture picture = icons::MenuPicture::None;
    QAction* MenuActions::*slot = nullptr; // where the window keeps the entry
    bool checkable = false;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<Entry> entries;
};

const Entry kSeparator{"", "", {}};

std::vector<Menu> menuTable() {
    using enum icons::MenuPicture;
    using A = MenuActions;
    return {
        {"mnufichier",
         "&Fichier",
         {{"mnunew", "&Nouveau...", {}, New, &A::newLayout},
          {"mnuload", "&Ouvrir", {}, Open, &A::openLayout},
          kSeparator,
          {"mnusave", "Enregi&strer", QKeySequence(Qt::CTRL | Qt::Key_S), Save, &A::save},
          {"mnusaveim", "Exporter l'&image", {}, ExportImage, &A::exportPicture},
          {"mnupdf", "Exporter en P&DF...", {}, None, &A::exportScaledPdf},
          {"mnuliste", "Exporter la &liste des objets...", {}, None, &A::exportPartsList},
          kSeparator,
          {"mnuprint", "Im&primer", {}, Print, &A::print},
          {"mnuechelle", "À l'é&chelle...", {}, None, &A::printToScale},
          kSeparator,
          {"mnuquit", "&Quitter", {}, None, &A::quit}}},
        {"mnuobjets",
         "&Objets",
         {{"mnurect", "&Rectangle", QKeySequence(Qt::CTRL | Qt::Key_R), Rectangle,
           &A::createRectangle},
          {"mnumes", "&Mesure", QKeySequence(Qt::CTRL | Qt::Key_M), Measure, &A::createMeasure},
          {"mnutext", "Te&xte", QKeySequence(Qt::CTRL | Qt::Key_X), Text, &A::createText},
          {"mnucerc", "&Ellipse / Cercle", QKeySequence(Qt::CTRL | Qt::Key_E), Ellipse,
           &A::createEllipse},
          {"mnutri", "&Triangle", QKeySequence(Qt::CTRL | Qt::Key_T), Triangle, &A::createTriangle},
          {"mnulig", "&Ligne", QKeySequence(Qt::CTRL | Qt::Key_L), Line, &A::createLine},
          kSeparator,
          {"mnubib", "&Bibliothèque d'accessoires", QKeySequence(Qt::CTRL | Qt::Key_B), None,
           &A::accessoryLibrary, true}}},
        {"mnuedit",
         "&Edition",
         {{"mnuannuler", "A&nnuler", QKeySequence(Qt::CTRL | Qt::Key_Z), None, &A::undo},
          {"mnuretablir", "&Rétablir", QKeySequence(Qt::CTRL | Qt::Key_Y), None, &A::redo},
          kSeparator,
          {"mnupremier", "Mettre au &premier plan", {}, BringToFront, &A::bringToFront},
          {"mnuarrp", "Envoyer à l'&arrière-plan", {}, SendToBack, &A::sendToBack},
          kSeparator,
          {"mnupivg", "Pivoter à &gauche", QKeySequence(Qt::CTRL | Qt::Key_G), TurnLeft,
           &A::turnLeft},
          {"mnupivd", "Pivoter à &droite", QKeySequence(Qt::CTRL | Qt::Key_D), TurnRight,
           &A::turnRight},
          kSeparator,
          {"mnusuppr", "&Supprimer", {}, Delete, &A::deleteSelection}}},
        {"mnuoptions",
         "O&ptions",
         {{"mnupref", "&Préférences...", {}, None, &A::preferences},
          kSeparator,
          {"mnusurf", "Module de décompte de &surfaces", {}, None, &A::surfacePanel, true},
          {"mnumasses", "&Bilan des masses...", {}, None, &A::massBudget},
          {"mnudonnees", "&Données du véhicule...", {}, None, &A::vehicleData},
          {"mnumagnet", "&Magnétisme", {}, None, &A::magnetism, true},
          kSeparator,
          {"mnuaccess", "Ajouter un &accessoire à la bibliothèque...", {}, None, &A::addAccessory},
          {"mnuvehic", "Ajouter un &véhicule à la bibliothèque...", {}, None, &A::addVehicle},
          {"mnuexemples", "Ajouter les &exemples manquants", {}, None, &A::addMissingSamples}}},
        {"mnuaide_menu",
         "&?",
         {{"mnuaide", "&Aide", QKeySequence(Qt::Key_F1), None, &A::help},
          {"mnulic", "&License", {}, None, &A::licence},
          {"mnupropos", "A &propos", {}, None, &A::about},
          {"mnuremer", "&Remerciements", {}, None, &A::credits}}},
    };
}

} // namespace

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
            if (entry.picture != icons::MenuPicture::None)
                item->setIcon(icons::menuIcon(entry.picture));
            menuActions_.*entry.slot = item;
        }
        if (QByteArray(table.name) == "mnuedit")
            editMenu_ = menu;
    }

    const MenuActions& m = menuActions_;
    const auto on = [this](QAction* item, std::function<void()> handler) {
        connect(item, &QAction::triggered, this, std::move(handler));
    };
    const auto toEditor = [this](QAction* item, std::function<void(editor::Editor&)> handler) {
        connect(item, &QAction::triggered, this, [this, handler] { forward(handler); });
    };
    toEditor(m.newLayout, [](editor::Editor& e) { e.newLayout(); });
    toEditor(m.openLayout, [](editor::Editor& e) { e.chooseAndOpenLayout(); });
    toEditor(m.save, [](editor::Editor& e) { e.saveLayout(); });
    toEditor(m.exportPicture, [](editor::Editor& e) { e.exportPicture(); });
    on(m.print, [this] { printLayout(); });
    on(m.exportScaledPdf, [this] { exportScaledPdf(); });
    on(m.printToScale, [this] { printToScale(); });
    toEditor(m.exportPartsList, [](editor::Editor& e) { e.exportPartsList(); });
    on(m.quit, [this] { requestQuit(); });

    using document::ObjectKind;
    const std::array<std::pair<QAction*, ObjectKind>, 6> kinds = {
        {{m.createRectangle, ObjectKind::Rectangle},
         {m.createMeasure, ObjectKind::Measure},
         {m.createText, ObjectKind::Text},
         {m.createEllipse, ObjectKind::Ellipse},
         {m.createTriangle, ObjectKind::Triangle},
         {m.createLine, ObjectKind::Line}}};
    for (const auto& [item, kind] : kinds)
        toEditor(item, [kind](editor::Editor& e) { e.createObject(kind); });
    on(m.accessoryLibrary,
       [this] { accessoryBrowserToggled(!editor_->controls().accessoryBrowserShown); });

    toEditor(m.undo, [](editor::Editor& e) { e.undo(); });
    toEditor(m.redo, [](editor::Editor& e) { e.redo(); });
    m.redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    toEditor(m.bringToFront, [](editor::Editor& e) { e.bringToFront(); });
    toEditor(m.sendToBack, [](editor::Editor& e) { e.sendToBack(); });
    toEditor(m.turnLeft, [](editor::Editor& e) { e.turn(editor::Turn::Left); });
    toEditor(m.turnRight, [](editor::Editor& e) { e.turn(editor::Turn::Right); });
    toEditor(m.deleteSelection, [](editor::Editor& e) { e.deleteSelection(); });

    on(m.preferences, [this] { showPreferences(); });
    toEditor(m.surfacePanel, [](editor::Editor& e) { e.toggleSurfacePanel(); });
    on(m.massBudget, [this] { showMassWindow(); });
    on(m.vehicleData, [this] { showVehicleData(); });
    connect(m.magnetism, &QAction::triggered, this,
            [this](bool on) { forward([on](editor::Editor& e) { e.setMagnetism(on); }); });
    on(m.addAccessory, [this] { showAccessoryImport(); });
    on(m.addVehicle, [this] { showVehicleImport(); });
    on(m.addMissingSamples, [this] { addMissingSamples(); });

    on(m.help, [this] { showHelp(); });
    on(m.licence, [this] { showLicence(); });
    on(m.about, [this] { showAbout(); });
    on(m.credits, [this] { showCredits(); });
}

} // namespace app
