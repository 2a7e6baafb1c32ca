#pragma once

#include "document/LayoutFile.h"
#include "editor/Editor.h"
#include "testkit/PlanObjects.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QTest>

#include <memory>

// An editor on a 400 x 300 canvas over a program folder holding one vehicle view
// (1000 x 500 px, 2 px/cm), one 60 x 40 cm accessory and one texture.
struct EditorFixture {
    static inline const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp");
    static inline const QString kAccessory = QStringLiteral("Meuble_Evier_60_40_XY_.bmp");
    static inline const QString kTexture = QStringLiteral("bois.bmp");

    testkit::ProgramFolder folder;
    testkit::ScriptedDialogService dialogs;
    platform::FileSystem files;
    platform::MemoryStore store;
    platform::PictureCache pictures;
    std::optional<editor::NewLayoutChoice> nextChoice;
    int browserClosed = 0;
    std::unique_ptr<editor::Editor> ed;

    explicit EditorFixture(bool openNewLayout = false) {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(200, 200, 255));
        folder.addPicture(QStringLiteral("accessoires"), kAccessory, 60, 40, qRgb(0, 128, 0));
        folder.addPicture(QStringLiteral("textures"), kTexture, 8, 8, qRgb(150, 90, 30));
        editor::EditorHooks hooks;
        hooks.chooseVehicle = [this] { return nextChoice; };
        hooks.closeAccessoryBrowser = [this] { ++browserClosed; };
        ed = std::make_unique<editor::Editor>(
            editor::EditorServices{dialogs, files, store, pictures}, hooks, folder.path());
        ed->setLocale(QLocale(QLocale::French, QLocale::France));
        ed->initialise();
        // Drags here move by the pointer alone; magnetism has its own tests.
        ed->setMagnetism(false);
        ed->canvasResized(400, 300);
        if (openNewLayout)
            openNew();
    }

    // What the window reads.
    const document::ObjectTable& table() const { return ed->layout().objects; }
    const document::PlanObject& object(int r) const { return table().row(r); }

    // A preference changed as the preferences window hands it over.
    template <typename Change> void changePreferences(Change change) {
        settings::Preferences prefs = ed->preferences();
        change(prefs);
        ed->setPreferences(prefs);
    }

    void openNew() {
        nextChoice = editor::NewLayoutChoice{kVehicle, false, false};
        ed->newLayout();
    }

    void openTwoObjects() {
        openNew();
        add(1, 10, 10, 20, 30);
        add(2, 100, 10, 20, 30);
    }

    // A real edit, so that the layout differs from its file: a 50 x 50 cm rectangle.
    void makeModified() {
        ed->createObject(document::ObjectKind::Rectangle);
        QVERIFY(ed->isModified());
    }

    // The open layout with these objects added in front, saved to a file and opened again
    // as the user would: the history starts from it and the view from the origin.
    void addAll(const QList<document::PlanObject>& objects) {
        document::Layout layout = ed->layoutAsSaved();
        for (const document::PlanObject& object : objects)
            layout.objects.append(object);
        const QString path = folder.path() + QStringLiteral("/set-up.kla");
        QVERIFY(document::writeLayoutFile(path, layout, QLocale::c(), files));
        QVERIFY(ed->openLayoutFile(path));
    }

    // x, y in picture pixels, h, w in cm, as the editing code stores them.
    void add(int kind, float x, float y, int h, int w,
             document::Fill fill = document::Fill::colour(2), bool locked = false,
             int orientation = 0) {
        addAll({testkit::planObject(document::ObjectKind(kind), x, y, float(h), float(w),
                                    std::move(fill), locked, orientation)});
    }

    // The view as the user sets it: the zoom typed in its box, then the two bars moved.
    const render::View& setView(int percent, int horizontalBar = 0, int verticalBar = 0) {
        ed->zoomTextChanged(QString::number(percent));
        ed->horizontalScrolled(horizontalBar);
        ed->verticalScrolled(verticalBar);
        return ed->view().view;
    }

    void click(float x, float y) {
        ed->planPressed(QPointF(x, y));
        ed->planClicked();
    }
};
