// Guards the mass window on the user's path: loads typed into its table are steps of the
// layout's history that Ctrl+Z gives back exactly, in the main window and in the mass
// window, and that "Enregistrer" writes for the reader to read back; the centre of mass
// is marked on the plan on screen only; a view without a length says why it gives only
// the total.
#include "WindowFixture.h"
#include "app/MassWindow.h"
#include "library/LayoutOpening.h"
#include "testkit/PlanObjects.h"

#include <QtTest>
#include <QtWidgets>

using document::LooseLoad;
using document::LooseLoads;
using document::ObjectKind;

namespace {

// 1000 x 500 px at 2 px per cm; the top view's axles 35 and 335 cm from its left edge.
const QString kTopView = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp");
const QString kBackView = QStringLiteral("Van_Fourgon_Arriere_YZ_5000_.bmp");
const QString kSideView = QStringLiteral("Van_Fourgon_Gauche_XZ_5000_.bmp"); // no axles known
const QString kOtherVan = QStringLiteral("Camion_Plateau_Dessus_XY_5000_.bmp");
constexpr QRgb kMarkColour = qRgb(200, 0, 0);

struct Fixture : testkit::WindowFixture {
    Fixture(const QString& vehicle, const document::ObjectTable& objects,
            const LooseLoads& loads = {}) {
        for (const QString& view : {kTopView, kBackView, kSideView, kOtherVan})
            folder.addPicture(QStringLiteral("vehicules"), view, 1000, 500, qRgb(220, 220, 255));
        addVanData();
        document::Layout layout;
        layout.vehicleFile = vehicle;
        layout.objects = objects;
        layout.loads = loads;
        openLayout(layout);
    }

    app::MassWindow* openMasses() {
        QTest::mouseClick(control("Command6_2"), Qt::LeftButton);
        app::MassWindow* masses = form->massWindow();
        if (!masses || !masses->isVisible())
            qFatal("the mass window does not show");
        return masses;
    }
    const LooseLoads& loads() const { return form->editor().layout().loads; }
};

QStringList figures(const app::MassWindow* masses) {
    QStringList texts;
    for (int k = 0; k < app::MassWindow::kFigures; ++k)
        texts << masses->figure(k)->text();
    return texts;
}

// Every cell of the loads table, row by row.
QStringList cells(const QTableWidget* table) {
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

// Types into a cell through its editor, as a double click opens it, and confirms.
// The mass window is a tool window over the main window: made the active window as a click
// into it makes it.
void activate(QWidget* window) {
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void typeIntoCell(QTableWidget* table, int row, int column, const QString& text) {
    activate(table->window());
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY2(editor, "the cell's editor has no focus");
    editor->selectAll();
    // Character by character, as a keyboard that has them all would send them.
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    // The table commits the text and closes the editor once back in the event loop.
    QTRY_VERIFY(QApplication::focusWidget() != editor);
}

void press(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

// The columns of the plan's pixels of this colour.
QSet<int> columnsOf(const QImage& picture, QRgb colour) {
    QSet<int> columns;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                columns.insert(x);
    return columns;
}

document::PlanObject weighed(ObjectKind kind, float x, float y, float h, float w, float kg) {
    document::PlanObject object = testkit::planObject(kind, x, y, h, w);
    object.massKg = kg;
    return object;
}

} // namespace

class TestMassWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // Each change made in the loads table (a load added, a mass, a place, a name typed, a
    // load removed) is one step: the figures follow it, and Ctrl+Z, typed in the main
    // window or in the mass window, gives back the table as it stood before, down to the
    // layout as opened, which is then no longer modified. A value that is not a number, or
    // the one the cell holds, is no step.
    void loadsInTheTableAreUndoSteps() {
        Fixture f(kTopView, {});
        app::MassWindow* masses = f.openMasses();
        QTableWidget* table = masses->loads();
        QVERIFY(table->rowCount() == 0 && !f.form->editor().isModified());
        QList<QStringList> shown{cells(table)};
        QList<LooseLoads> held{f.loads()};
        const auto step = [&] {
            shown << cells(table);
            held << f.loads();
            QCOMPARE(f.action("mnuannuler")->text(), QStringLiteral("A&nnuler les charges"));
            QVERIFY(f.form->editor().isModified());
        };
        press(masses, "masse_ajouter");
        step();
        typeIntoCell(table, 0, 1, QStringLiteral("150"));
        step();
        typeIntoCell(table, 0, 2, QStringLiteral("-40,4"));
        step();
        typeIntoCell(table, 0, 0, QStringLiteral("Passagers"));
        step();
        press(masses, "masse_ajouter");
        step();
        typeIntoCell(table, 1, 1, QStringLiteral("0.1"));
        step();
        QCOMPARE(f.loads(), (LooseLoads{{"Passagers", 150, -40.4f}, {"Charge", 0.1f, 0}}));
        QCOMPARE(cells(table), (QStringList{"Passagers", "150", "-40,4", "Charge", "0,1", "0"}));
        // 150 kg 40.4 cm ahead of the front axle, 300 cm between the axles: the rear
        // carries 150 * -40.4 / 300 kg, the front the rest and the 0.1 kg on its axle.
        QCOMPARE(figures(masses).mid(1, 3),
                 (QStringList{"1950,1 kg / 3000 kg", "1170,3 kg / 1500 kg", "779,8 kg / 1600 kg"}));

        // Neither a word nor the value the cell already holds is a step.
        const std::size_t steps = f.form->editor().history().stepCount();
        for (const QString& same : {QStringLiteral("lourd"), QStringLiteral("150")}) {
            typeIntoCell(table, 0, 1, same);
            QCOMPARE(cells(table), shown.last());
            QCOMPARE(f.loads(), held.last());
            QCOMPARE(f.form->editor().history().stepCount(), steps);
        }
        // One load removed, then the other.
        for (int k = 0; k < 2; ++k) {
            table->setCurrentCell(0, 0);
            press(masses, "masse_supprimer");
            step();
        }
        QCOMPARE(f.loads(), LooseLoads{});
        QCOMPARE(table->rowCount(), 0);

        // Undone from the main window, then from the mass window.
        activate(f.form.get());
        f.control("Picture1")->setFocus();
        for (int k = held.size() - 2; k >= 2; --k) {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Z));
            QCOMPARE(f.loads(), held[k]);
            QCOMPARE(cells(table), shown[k]);
        }
        activate(masses);
        table->setFocus();
        for (int k = 1; k >= 0; --k) {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Z));
            QCOMPARE(f.loads(), held[k]);
            QCOMPARE(cells(table), shown[k]);
        }
        QVERIFY(!f.form->editor().isModified());
        QVERIFY(!f.action("mnuannuler")->isEnabled());
        QCOMPARE(f.action("mnuretablir")->text(), QStringLiteral("&Rétablir les charges"));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(f.loads(), held[1]);
        QVERIFY(f.form->editor().isModified());
    }

    // The loads typed are saved by "Enregistrer" and read back by the layout reader as
    // they were typed, and the layout opened again shows them in the table.
    void typedLoadsAreSavedAndReadBack() {
        Fixture f(kTopView, {});
        app::MassWindow* masses = f.openMasses();
        QTableWidget* table = masses->loads();
        const QStringList typed{"l'eau « douce »", "1234,567", "-12,25", "Vélos", "30", "402,3"};
        for (int row = 0; row < 2; ++row) {
            press(masses, "masse_ajouter");
            for (int column = 0; column < 3; ++column)
                typeIntoCell(table, row, column, typed[row * 3 + column]);
        }
        QCOMPARE(cells(table), typed);
        const QString path = f.folder.path() + QStringLiteral("/charges.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        f.action("mnusave")->trigger();
        QVERIFY(!f.form->editor().isModified());
        const document::LoadOutcome read = library::readLayoutFile(path, f.folder.path(), f.files);
        QVERIFY(read.contents.has_value());
        const LooseLoads expected{{"l'eau « douce »", 1234.567f, -12.25f}, {"Vélos", 30, 402.3f}};
        QCOMPARE(read.contents->loads, expected);

        f.dialogs.openAnswers.push_back({path, 1});
        f.action("mnuload")->trigger();
        QCOMPARE(f.form->editor().layout().filePath, path);
        QCOMPARE(f.loads(), expected);
        QCOMPARE(cells(table), typed);
        QVERIFY(!f.form->editor().isModified());
    }

    // "Marquer le centre de gravité" draws a red dashed line across the plan at the centre
    // of mass, and nothing else in that colour; unticked it goes, and an exported picture
    // never carries it.
    void centreOfMassIsMarkedOnScreenOnly() {
        document::ObjectTable objects;
        // 200 kg whose middle is 185 cm from the picture's left edge: 150 cm behind the front
        // axle. With the empty van (1800 kg, 133.3 cm behind it) the centre is 135 cm
        // behind the front axle, 170 cm from the left edge: column 340 at 2 px per cm.
        objects.append(weighed(ObjectKind::Rectangle, 270, 100, 100, 100, 200));
        Fixture f(kTopView, objects);
        app::MassWindow* masses = f.openMasses();
        QCOMPARE(masses->figure(5)->text(), QStringLiteral("135 cm en arrière de l'essieu avant"));
        auto* mark = masses->findChild<QCheckBox*>(QStringLiteral("masse_centre"));
        QVERIFY(mark->isEnabled() && !mark->isChecked());
        QWidget* plan = f.control("Picture1");
        QVERIFY(columnsOf(plan->grab().toImage(), kMarkColour).isEmpty());

        QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(5, mark->height() / 2));
        QVERIFY(mark->isChecked());
        const QSet<int> marked = columnsOf(plan->grab().toImage(), kMarkColour);
        QVERIFY(marked.contains(340));
        for (const int x : marked) // the line two pixels wide, the letter G beside it
            QVERIFY2(x >= 339 && x <= 340 + 16, qPrintable(QString::number(x)));

        const QString exported = f.folder.path() + QStringLiteral("/plan.bmp");
        f.dialogs.saveAnswers.push_back({exported, 2});
        f.action("mnusaveim")->trigger();
        QImage picture(exported);
        QVERIFY(!picture.isNull());
        QVERIFY(columnsOf(picture, kMarkColour).isEmpty());

        QTest::mouseClick(mark, Qt::LeftButton, {}, QPoint(5, mark->height() / 2));
        QVERIFY(!mark->isChecked());
        QVERIFY(columnsOf(plan->grab().toImage(), kMarkColour).isEmpty());
    }

    // Where the figures stop, the window says why: a back view has no length, a view whose
    // axles are unknown has no axle loads, a vehicle without data only the added mass. The
    // mark of the centre of mass is offered only where there is one.
    void theWindowSaysWhyFiguresAreMissing_data() {
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<QStringList>("expected"); // the six figures
        QTest::addColumn<QString>("note");
        QTest::newRow("back view")
            << kBackView << QStringList{"275 kg", "2075 kg / 3000 kg", "-", "-", "925 kg", "-"}
            << "Cette vue ne montre pas la longueur du véhicule (vue de l'arrière ou de "
               "l'avant) : seul le total est calculé.";
        QTest::newRow("side view without axles")
            << kSideView << QStringList{"275 kg", "2075 kg / 3000 kg", "-", "-", "925 kg", "-"}
            << "Les centres des essieux de cette vue ne sont pas connus : pas de charge par "
               "essieu (menu Options › Données du véhicule...).";
        QTest::newRow("vehicle without data")
            << kOtherVan << QStringList{"275 kg", "-", "-", "-", "-", "-"}
            << "Les masses du véhicule Camion Plateau ne sont pas connues : seule la masse "
               "ajoutée est calculée.";
        QTest::newRow("top view with axles") << kTopView
                                             << QStringList{"275 kg",
                                                            "2075 kg / 3000 kg",
                                                            "1100 kg / 1500 kg",
                                                            "975 kg / 1600 kg",
                                                            "925 kg",
                                                            "141 cm en arrière de l'essieu avant"}
                                             << "";
    }
    void theWindowSaysWhyFiguresAreMissing() {
        QFETCH(QString, vehicle);
        QFETCH(QStringList, expected);
        QFETCH(QString, note);
        document::ObjectTable objects;
        objects.append(weighed(ObjectKind::Ellipse, 270, 100, 100, 100, 200));
        Fixture f(vehicle, objects, {{"Eau", 75, 300}});
        app::MassWindow* masses = f.openMasses();
        QCOMPARE(figures(masses), expected);
        QCOMPARE(masses->findChild<QLabel*>(QStringLiteral("masse_note"))->text(), note);
        QCOMPARE(masses->findChild<QCheckBox*>(QStringLiteral("masse_centre"))->isEnabled(),
                 note.isEmpty());
    }
};

QTEST_MAIN(TestMassWindow)
#include "tst_masswindow.moc"
