// Guards precise placement through the main window's widgets: positions typed in cm,
// magnetism and its guides, the gaps while dragging, Shift+arrow steps and the pointer's
// position in the status bar.
#include "WindowFixture.h"
#include "library/LayoutOpening.h"
#include "testkit/PlanObjects.h"

#include <QtTest>
#include <QtWidgets>

using document::ObjectKind;

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp"); // 2 px per cm

// A window on a 1000 x 500 pixel van holding the given objects, opened from a file.
struct Fixture : testkit::WindowFixture {
    explicit Fixture(const document::ObjectTable& objects, bool mirrored = false) {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(220, 220, 255));
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.mirrorLeftRight = mirrored;
        layout.objects = objects;
        openLayout(layout);
    }

    QWidget* plan() const { return control("Picture1"); }
    QWidget* box() const { return control("Picture2"); }
    QString field() const { return control<QLabel>("StatusPosition")->text(); }
    void select(QPoint at) { QTest::mouseClick(plan(), Qt::LeftButton, {}, at); }
    // The pointer moving over a widget with no button held.
    void hover(QWidget* widget, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void type(const QKeySequence& keys) { QTest::keySequence(QApplication::focusWidget(), keys); }

    // Saves through "Enregistrer" and reads the file back as the program opens it.
    document::ObjectTable saved() {
        const QString path = folder.path() + QStringLiteral("/saved.kla");
        dialogs.saveAnswers.push_back({path, 1});
        action("mnusave")->trigger();
        const library::OpenedLayout read =
            library::openLayout(path, folder.path(), files, QLocale());
        if (!read.ok())
            qFatal("the saved layout does not read back");
        return read.layout.objects;
    }
};

// A 50 x 40 cm neighbour at picture pixel (100, 100) and a 20 x 20 cm object at (300, 100).
document::ObjectTable neighbours() {
    document::ObjectTable objects;
    objects.append(testkit::planObject(ObjectKind::Rectangle, 100, 100, 40, 50));
    objects.append(testkit::planObject(ObjectKind::Rectangle, 300, 100, 20, 20));
    return objects;
}

int countColour(const QImage& image, QRgb colour) {
    int count = 0;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += rgb.pixel(x, y) == colour;
    return count;
}

} // namespace

class TestPlacementWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // X or Y typed into its box with Enter moves the object exactly, as one undo step; a
    // position past the picture is refused with a message and moves nothing.
    void typedPositions_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QPointF>("stored"); // picture pixels; the start (300, 100) if refused
        QTest::newRow("X in whole cm") << "TextX"
                                       << "60" << QPointF(120, 100);
        QTest::newRow("Y with a decimal comma") << "TextY"
                                                << "12,5" << QPointF(300, 25);
        QTest::newRow("X with a decimal point") << "TextX"
                                                << "60.5" << QPointF(121, 100);
        QTest::newRow("X at the picture's far edge") << "TextX"
                                                     << "500" << QPointF(1000, 100);
        QTest::newRow("Y past the picture: refused") << "TextY"
                                                     << "250,5" << QPointF(300, 100);
    }
    void typedPositions() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QPointF, stored);
        Fixture f(neighbours());
        auto* x = f.control<QLineEdit>("TextX");
        auto* y = f.control<QLineEdit>("TextY");
        QVERIFY(x->text().isEmpty() && y->text().isEmpty() && !x->isEnabled() && !y->isEnabled());
        f.select(QPoint(310, 110));
        QCOMPARE(std::pair(x->text(), y->text()),
                 std::pair(QStringLiteral("150"), QStringLiteral("50")));
        // The keyboard reaches the boxes in the frame's order.
        f.control("Text1_0")->setFocus();
        for (const char* next : {"Text1_1", "TextX", "TextY", "Check1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
        auto* target = f.control<QLineEdit>(box.toLatin1().constData());
        target->setFocus();
        target->selectAll();
        QTest::keyClicks(target, typed);
        QTest::keyClick(target, Qt::Key_Return);
        const bool refused = stored == QPointF(300, 100);
        QCOMPARE(f.dialogs.asked.size(), std::size_t(refused));
        if (refused)
            QCOMPARE(f.dialogs.asked.front().text,
                     QStringLiteral("La position doit être un nombre de centimètres entre 0 et "
                                    "250, pour que l'objet commence sur l'image du véhicule."));
        QCOMPARE(f.box()->pos(), stored.toPoint());
        f.plan()->setFocus(); // a line edit keeps Ctrl+Z for its own text
        f.type(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.box()->pos(), QPoint(300, 100));
        f.type(QKeySequence(Qt::CTRL | Qt::Key_Y));
        const document::ObjectTable saved = f.saved();
        QCOMPARE(QPointF(saved.row(2).position.x, saved.row(2).position.y), stored);
    }

    // The 40-pixel object is pressed at (10, 10) and dragged left by `dx` pixels towards the
    // neighbour's right edge at 200: within 6 pixels it ends flush, unless Alt is held or
    // magnetism is off. The guide shows on the screen only, never in the exported picture.
    void dragsSnapWithMagnetism_data() {
        QTest::addColumn<int>("dx");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<bool>("magnetism");
        QTest::addColumn<float>("storedX");
        QTest::addColumn<QString>("gaps");
        const auto row = [](const char* name, int dx, bool alt, bool magnetism, float x,
                            const char* gaps) {
            QTest::newRow(name) << dx << alt << magnetism << x << QString::fromUtf8(gaps);
        };
        row("4 px away: flush", -96, false, true, 200, "← 0 cm  → 380 cm  ↑ 50 cm  ↓ 180 cm");
        row("6 px away: flush", -94, false, true, 200, "← 0 cm  → 380 cm  ↑ 50 cm  ↓ 180 cm");
        row("7 px away: free", -93, false, true, 207, "← 3,5 cm  → 376,5 cm  ↑ 50 cm  ↓ 180 cm");
        row("Alt held: free", -96, true, true, 204, "← 2 cm  → 378 cm  ↑ 50 cm  ↓ 180 cm");
        row("magnetism off: free", -96, false, false, 204, "← 2 cm  → 378 cm  ↑ 50 cm  ↓ 180 cm");
    }
    void dragsSnapWithMagnetism() {
        QFETCH(int, dx);
        QFETCH(bool, alt);
        QFETCH(bool, magnetism);
        QFETCH(float, storedX);
        QFETCH(QString, gaps);
        Fixture f(neighbours());
        QAction* option = f.form->menuBar()->findChild<QAction*>(QStringLiteral("mnumagnet"));
        QVERIFY(option->isCheckable() && option->isChecked());
        if (!magnetism)
            option->trigger();
        f.select(QPoint(310, 110));
        const Qt::KeyboardModifiers held = alt ? Qt::AltModifier : Qt::NoModifier;
        QTest::mousePress(f.box(), Qt::LeftButton, held, QPoint(10, 10));
        // Two moves: the second starts from wherever the first left the box.
        QTest::mouseEvent(QTest::MouseMove, f.box(), Qt::NoButton, held, QPoint(10 + dx / 2, 10));
        QTest::mouseEvent(QTest::MouseMove, f.box(), Qt::NoButton, held,
                          QPoint(10 + dx - dx / 2, 10));
        QCOMPARE(f.control<QLabel>("StatusGaps")->text(), gaps);
        const bool guided = storedX == 200.f;
        // The guide runs along x = 200 above and below the object; the canvas that exports
        // and prints copy never holds it.
        const QImage screen = f.plan()->grab().toImage();
        QCOMPARE(countColour(screen.copy(200, 0, 1, 100), app::MainWindow::kGuideColour),
                 guided ? 100 : 0);
        QCOMPARE(countColour(f.form->editor().canvas().image(), app::MainWindow::kGuideColour), 0);
        QTest::mouseRelease(f.box(), Qt::LeftButton, held, QPoint(10, 10));
        QCOMPARE(countColour(f.plan()->grab().toImage(), app::MainWindow::kGuideColour), 0);
        QVERIFY(f.control<QLabel>("StatusGaps")->text().isEmpty());
        const QString exported = f.folder.path() + QStringLiteral("/plan.bmp");
        f.dialogs.saveAnswers.push_back({exported, 2});
        f.form->menuBar()->findChild<QAction*>(QStringLiteral("mnusaveim"))->trigger();
        const QImage picture(exported);
        QVERIFY(!picture.isNull());
        QCOMPARE(countColour(picture, app::MainWindow::kGuideColour), 0);
        const document::ObjectTable saved = f.saved();
        QCOMPARE(saved.row(2).position.x, storedX);
        QCOMPARE(saved.row(1).position.x, 100.f); // the neighbour never moves
        // The option is kept in the settings.
        QCOMPARE(f.store.values.value(QStringLiteral("magnetisme"), QStringLiteral("1")),
                 magnetism ? QStringLiteral("1") : QStringLiteral("0"));
    }

    // Shift+arrow moves by a centimetre (2 pixels), and a run of them is one undo step.
    void shiftArrowsMoveByACentimetre() {
        Fixture f(neighbours());
        f.select(QPoint(310, 110));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(f.box()->pos(), QPoint(305, 98));
        QCOMPARE(f.control<QLineEdit>("TextX")->text(), QStringLiteral("152,5"));
        // Over the plan the field shows the pointer; elsewhere the selection as before.
        f.hover(f.box(), QPoint(1, 2));
        QCOMPARE(f.field(), QStringLiteral("x 153 cm  y 50 cm"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.plan(), &leave);
        QCOMPARE(f.field(), QStringLiteral("x 152 cm  y 49 cm  —  20 × 20 cm"));
        f.type(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.box()->pos(), QPoint(300, 100));
    }

    // The pointer's place in cm follows the zoom, with a decimal where a screen pixel is finer
    // than a cm, and a mirrored view is measured from its displayed corner; blank off the
    // picture and once the pointer has left the plan.
    void pointerPosition_data() {
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("shown");
        QTest::newRow("10 %") << "10" << false << QPoint(45, 20) << "x 225 cm  y 100 cm";
        QTest::newRow("100 %") << "100" << false << QPoint(301, 51) << "x 150,5 cm  y 25,5 cm";
        QTest::newRow("1600 %") << "1600" << false << QPoint(40, 24) << "x 1,2 cm  y 0,8 cm";
        QTest::newRow("mirrored") << "100" << true << QPoint(301, 51) << "x 150,5 cm  y 25,5 cm";
        QTest::newRow("past the picture's bottom") << "100" << false << QPoint(20, 501) << "";
    }
    void pointerPosition() {
        QFETCH(QString, zoom);
        QFETCH(bool, mirrored);
        QFETCH(QPoint, at);
        QFETCH(QString, shown);
        Fixture f(neighbours(), mirrored);
        QVERIFY(f.plan()->height() > 502);
        auto* zoomBox = f.control<QLineEdit>("Text2");
        zoomBox->setFocus();
        zoomBox->selectAll();
        QGuiApplication::clipboard()->setText(zoom); // typed digit by digit, 1 would be 10 %
        QTest::keySequence(zoomBox, QKeySequence::Paste);
        const render::View& view = f.form->editor().view().view;
        QCOMPARE(view.zoom * 100, zoom.toFloat());
        // Back to the picture's corner: a zoom keeps the view's centre.
        f.control<QScrollBar>("HScroll1")->setValue(0);
        f.control<QScrollBar>("VScroll1")->setValue(0);
        QCOMPARE(QPointF(view.originX, view.originY), QPointF(0, 0));
        f.hover(f.plan(), at);
        QCOMPARE(f.field(), shown);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.plan(), &leave);
        QCOMPARE(f.field(), QString());
    }
};

QTEST_MAIN(TestPlacementWindow)
#include "tst_placementwindow.moc"
