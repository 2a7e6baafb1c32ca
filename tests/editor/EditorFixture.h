#pragma once

#include "editor/Editor.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <memory>

// An editor over a temporary program folder holding one vehicle view (1000 x 500 px,
// 2 px/cm), one accessory (60 x 40 cm) and one texture, with scripted dialogs, an
// in-memory settings store and a 400 x 300 canvas.
struct EditorFixture {
    static inline const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp");
    static inline const QString kAccessory = QStringLiteral("Meuble_Evier_60_40_XY_.bmp");
    static inline const QString kTexture = QStringLiteral("bois.bmp");

    testkit::ProgramFolder folder;
    platform::ScriptedDialogService dialogs;
    platform::FileSystem files;
    platform::MemoryStore store;
    platform::PictureCache pictures;
    std::optional<editor::NewLayoutChoice> nextChoice;
    int browserClosed = 0;
    std::unique_ptr<editor::Editor> ed;

    EditorFixture() {
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
        ed->canvasResized(400, 300);
    }

    editor::EditorState& s() { return ed->stateForTesting(); }
    document::ObjectTable& table() { return ed->stateForTesting().layout.objects; }
    const document::PlanObject& object(int r) { return table().row(r); }

    // A new layout on the vehicle view, through the new-layout command.
    void openNew() {
        nextChoice = editor::NewLayoutChoice{kVehicle, false, false};
        ed->newLayout();
    }

    // A modified layout with two objects.
    void openTwoObjects() {
        openNew();
        add(1, 10, 10, 20, 30);
        add(2, 100, 10, 20, 30);
        s().layout.modified = true;
    }

    // Appends an object as the editing code makes it: x, y in picture pixels, h, w in cm.
    void add(int kind, float x, float y, int h, int w,
             document::Fill fill = document::Fill::colour(2), bool locked = false,
             int orientation = 0) {
        table().append(testkit::planObject(document::ObjectKind(kind), x, y, float(h), float(w),
                                           std::move(fill), locked, orientation));
        ed->restartHistory();
    }

    // A press and release at a canvas point.
    void click(float x, float y) {
        ed->planPressed(QPointF(x, y));
        ed->planClicked();
    }
};
