// The main window's controls: the tool frames along the top, the plan with its
// selection box, handles and scroll bars, and the status bar.
#include "app/MainWindow.h"

#include "app/Icons.h"
#include "app/PictureWidget.h"
#include "document/Palette.h"
#include "library/LibraryNames.h"
#include "library/ui/AccessoryBrowser.h"
#include "platform/DigitKeyFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

namespace app {

namespace {

constexpr int kFrameTop = 2;
constexpr int kFrameHeight = 122;
// The frames sit side by side, 3 pixels apart from 4 pixels in; their widths add up so
// that the last one still ends inside the smallest window (617 pixels wide).
constexpr int kFrameMargin = 6; // between a frame's border and its controls
constexpr int kToolButton = 26;
constexpr int kEditButton = 25;
constexpr int kSwatch = 17;
constexpr int kScrollThickness = 17;
constexpr int kStatusHeight = 23;

// Grid of the palette swatches, four columns by four rows, left to right.
constexpr std::array<int, 16> kSwatchOrder = {1, 3, 5, 7, 0, 2, 4, 6, 9, 11, 13, 15, 8, 10, 12, 14};

QGroupBox* makeFrame(const QString& name, const QString& caption, int left, int width,
                     QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(left, kFrameTop, width, kFrameHeight);
    frame->setMouseTracking(true);
    return frame;
}

QToolButton* makePictureButton(const QString& name, const QIcon& icon, int size, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->resize(size, size);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// Handle pointers, clockwise from the top-left corner.
constexpr std::array<Qt::CursorShape, 8> kHandleCursors = {
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};

} // namespace

void MainWindow::setStatusHelp(QWidget* widget, std::function<QString()> text) {
    statusHelp_.insert(widget, std::move(text));
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

namespace {

// A button that shows only a picture says what it does in a tooltip and to screen
// readers, with the words the status bar shows for it.
void nameIconButton(QAbstractButton* button, const QString& words) {
    button->setToolTip(words);
    button->setAccessibleName(words);
}

} // namespace

void MainWindow::buildControls() {
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("Form1Area"));
    area_->setMouseTracking(true);
    area_->installEventFilter(this);
    setCentralWidget(area_);
    statusHelp_.insert(area_, [] { return QString(); });

    buildObjectsFrame(area_);
    buildEditionFrame(area_);
    buildZoomFrame(area_);
    buildDimensionsFrame(area_);
    buildFillFrame(area_);
    buildSurfaceFrame(area_);
    buildPlan(area_);

    statusBar_ = new QStatusBar(area_);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    statusGaps_ = new QLabel(statusBar_);
    statusGaps_->setObjectName(QStringLiteral("StatusGaps"));
    statusBar_->addPermanentWidget(statusGaps_);
    statusPosition_ = new QLabel(statusBar_);
    statusPosition_->setObjectName(QStringLiteral("StatusPosition"));
    statusBar_->addPermanentWidget(statusPosition_);
}

void MainWindow::buildObjectsFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame5"), QStringLiteral("Objets"), 4, 92, area);
    objectsFrame_ = frame;
    // Left to right: rectangle, measure, text, ellipse, triangle, line. A button's name
    // carries the number of the kind it creates.
    using document::ObjectKind;
    struct Tool {
        ObjectKind kind;
        icons::MenuPicture picture;
        const char* help;
    };
    const std::array<Tool, 6> tools = {{
        {ObjectKind::Rectangle, icons::MenuPicture::Rectangle, "Dessiner un rectangle"},
        {ObjectKind::Measure, icons::MenuPicture::Measure, "Prendre une mesure"},
        {ObjectKind::Text, icons::MenuPicture::Text, "Ecrire du texte"},
        {ObjectKind::Ellipse, icons::MenuPicture::Ellipse, "Dessiner une ellipse / un cercle"},
        {ObjectKind::Triangle, icons::MenuPicture::Triangle, "Dessiner un triangle"},
        {ObjectKind::Line, icons::MenuPicture::Line, "Dessiner une ligne"},
    }};
    for (int slot = 0; slot < 6; ++slot) {
        const Tool& tool = tools[std::size_t(slot)];
        const auto number = std::size_t(tool.kind);
        auto* button = makePictureButton(QStringLiteral("Command1_%1").arg(number),
                                         icons::menuIcon(tool.picture), kToolButton, frame);
        button->move(kFrameMargin + (slot % 3) * (kToolButton + 1),
                     20 + (slot / 3) * (kToolButton + 2));
        const ObjectKind kind = tool.kind;
        forwardClicks(button, [kind](editor::Editor& e) { e.createObject(kind); });
        nameIconButton(button, QString::fromUtf8(tool.help));
        setStatusHelp(button, [words = button->toolTip()] { return words; });
        toolButtons_[number] = button;
    }
    libraryToggle_ =
        makePictureButton(QStringLiteral("Check2"), icons::accessories(), kToolButton, frame);
    libraryToggle_->setCheckable(true);
    libraryToggle_->move(kFrameMargin, 20 + 2 * (kToolButton + 2));
    connect(libraryToggle_, &QToolButton::clicked, this,
            [this](bool checked) { accessoryBrowserToggled(checked); });
    setStatusHelp(libraryToggle_, [this] {
        return accessoryBrowser_ && accessoryBrowser_->isVisible()
                   ? QStringLiteral("Fermer la bibliothèque d'accessoires")
                   : QStringLiteral("Ouvrir la bibliothèque d'accessoires");
    });
    // The tooltip follows the status help as the browser opens and closes (refresh).
    nameIconButton(libraryToggle_, QStringLiteral("Ouvrir la bibliothèque d'accessoires"));
    libraryToggle_->setAccessibleName(QStringLiteral("Bibliothèque d'accessoires"));
}

void MainWindow::buildEditionFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame4"), QStringLiteral("Edition"), 99, 65, area);
    editFrame_ = frame;
    frontButton_ =
        makePictureButton(QStringLiteral("Command4_0"),
                          icons::menuIcon(icons::MenuPicture::BringToFront), kEditButton, frame);
    backButton_ =
        makePictureButton(QStringLiteral("Command4_1"),
                          icons::menuIcon(icons::MenuPicture::SendToBack), kEditButton, frame);
    turnLeftButton_ =
        makePictureButton(QStringLiteral("Command5_1"),
                          icons::menuIcon(icons::MenuPicture::TurnLeft), kEditButton, frame);
    turnRightButton_ =
        makePictureButton(QStringLiteral("Command5_0"),
                          icons::menuIcon(icons::MenuPicture::TurnRight), kEditButton, frame);
    deleteButton_ =
        makePictureButton(QStringLiteral("Command2"), icons::menuIcon(icons::MenuPicture::Delete),
                          kEditButton, frame);
    // Two to a row: front and back, turn left and right, then delete.
    const std::array<QToolButton*, 5> order = {frontButton_, backButton_, turnLeftButton_,
                                               turnRightButton_, deleteButton_};
    for (int slot = 0; slot < 5; ++slot)
        order[std::size_t(slot)]->move(kFrameMargin + (slot % 2) * (kEditButton + 3),
                                       20 + (slot / 2) * (kEditButton + 3));
    forwardClicks(frontButton_, [](editor::Editor& e) { e.bringToFront(); });
    forwardClicks(backButton_, [](editor::Editor& e) { e.sendToBack(); });
    forwardClicks(turnLeftButton_, [](editor::Editor& e) { e.turn(editor::Turn::Left); });
    forwardClicks(turnRightButton_, [](editor::Editor& e) { e.turn(editor::Turn::Right); });
    forwardClicks(deleteButton_, [](editor::Editor& e) { e.deleteSelection(); });
    nameIconButton(frontButton_, QStringLiteral("Mettre au premier plan"));
    setStatusHelp(frontButton_, [words = frontButton_->toolTip()] { return words; });
    nameIconButton(backButton_, QStringLiteral("Envoyer à l'arrière-plan"));
    setStatusHelp(backButton_, [words = backButton_->toolTip()] { return words; });
    nameIconButton(turnRightButton_, QStringLiteral("Pivoter à droite"));
    setStatusHelp(turnRightButton_, [words = turnRightButton_->toolTip()] { return words; });
    nameIconButton(turnLeftButton_, QStringLiteral("Pivoter à gauche"));
    setStatusHelp(turnLeftButton_, [words = turnLeftButton_->toolTip()] { return words; });
    nameIconButton(deleteButton_, QStringLiteral("Supprimer"));
    setStatusHelp(deleteButton_, [words = deleteButton_->toolTip()] { return words; });
}

void MainWindow::buildZoomFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame3"), QStringLiteral("Zoom %"), 167, 60, area);
    zoomFrame_ = frame;
    zoomBox_ = new QLineEdit(QStringLiteral("100"), frame);
    zoomBox_->setObjectName(QStringLiteral("Text2"));
    zoomBox_->setGeometry(8, 22, 44, 22);
    zoomBox_->installEventFilter(new platform::DigitKeyFilter(zoomBox_));
    connect(zoomBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([text](editor::Editor& e) { e.zoomTextChanged(text); });
    });
    setStatusHelp(zoomBox_, [] { return QStringLiteral("Entrez une valeur entre 10 et 1600%"); });
    // The steps have no status help; their names say which way they go.
    const auto stepButton = [frame](const char* name, const char* caption, int left,
                                    const QString& words) {
        auto* button = new QPushButton(QString::fromUtf8(caption), frame);
        button->setObjectName(QString::fromUtf8(name));
        button->setGeometry(left, 50, 21, 22);
        button->setAutoDefault(false);
        nameIconButton(button, words);
        return button;
    };
    forwardClicks(stepButton("Command3_0", "-", 8, QStringLiteral("Zoom arrière")),
                  [](editor::Editor& e) { e.zoomOut(); });
    forwardClicks(stepButton("Command3_1", "+", 31, QStringLiteral("Zoom avant")),
                  [](editor::Editor& e) { e.zoomIn(); });
}

// Two columns: width and height on the left, the corner's X and Y on the right, then the
// unit and the lock; the keyboard goes through them in that order.
void MainWindow::buildDimensionsFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame2"), QStringLiteral("Dimensions"), 230, 90, area);
    dimensionsFrame_ = frame;
    setStatusHelp(
        frame, [] { return QStringLiteral("Visualisez ou définissez les dimensions de l'objet"); });
    auto* filter = new platform::DigitKeyFilter(frame);
    const QString helps[] = {
        QStringLiteral("Largeur de l'objet (Appuyez sur Entrée pour valider)"),
        QStringLiteral("Hauteur de l'objet (Appuyez sur Entrée pour valider)")};
    for (const editor::Dimension dimension :
         {editor::Dimension::Width, editor::Dimension::Height}) {
        const auto i = std::size_t(dimension);
        auto* box = new QLineEdit(QStringLiteral("50"), frame);
        dimensionBoxes_[dimension] = box;
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(6, 18 + int(i) * 22, 38, 20);
        box->installEventFilter(filter);
        connect(box, &QLineEdit::textEdited, this, [this, dimension](const QString& text) {
            forward(
                [dimension, text](editor::Editor& e) { e.dimensionTextChanged(dimension, text); });
        });
        connect(box, &QLineEdit::returnPressed, this,
                [this] { forward([](editor::Editor& e) { e.dimensionsConfirmed(); }); });
        const QString help = helps[i];
        setStatusHelp(box, [help] { return help; });
    }
    // Digits with one decimal separator, "." or ",".
    auto* decimal = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,5}([.,][0-9]?)?")), frame);
    const QString positionHelps[] = {
        QStringLiteral("Position horizontale de l'objet depuis le bord gauche du véhicule, en cm "
                       "(Appuyez sur Entrée pour valider)"),
        QStringLiteral("Position verticale de l'objet depuis le bord haut du véhicule, en cm "
                       "(Appuyez sur Entrée pour valider)")};
    for (const editor::Axis axis : {editor::Axis::X, editor::Axis::Y}) {
        const auto i = std::size_t(axis);
        auto* box = new QLineEdit(frame);
        positionBoxes_[i] = box;
        box->setObjectName(axis == editor::Axis::X ? QStringLiteral("TextX")
                                                   : QStringLiteral("TextY"));
        box->setPlaceholderText(axis == editor::Axis::X ? QStringLiteral("X")
                                                        : QStringLiteral("Y"));
        box->setGeometry(48, 18 + int(i) * 22, 36, 20);
        box->setValidator(decimal);
        connect(box, &QLineEdit::returnPressed, this, [this, axis, box] {
            const QString text = box->text();
            box->setModified(false); // the box shows the selection's place again
            forward([axis, text](editor::Editor& e) { e.positionConfirmed(axis, text); });
        });
        const QString help = positionHelps[i];
        setStatusHelp(box, [help] { return help; });
    }
    auto* dimensionsPicture = new QLabel(frame);
    dimensionsPicture_ = dimensionsPicture;
    dimensionsPicture->setObjectName(QStringLiteral("Image1"));
    dimensionsPicture->setPixmap(icons::dimensions());
    dimensionsPicture->setGeometry(63, 88, 24, 24);
    auto* unit = new QLabel(QStringLiteral("(cm)"), frame);
    dimensionsUnit_ = unit;
    unit->setObjectName(QStringLiteral("Label1"));
    unit->setGeometry(8, 66, 32, 18); // under the size boxes
    lockBox_ = new QCheckBox(QStringLiteral("Figées"), frame);
    lockBox_->setObjectName(QStringLiteral("Check1"));
    lockBox_->setGeometry(6, 90, 56, 20);
    connect(lockBox_, &QCheckBox::clicked, this, [this](bool checked) {
        forward([checked](editor::Editor& e) { e.sizeLockToggled(checked); });
    });
    setStatusHelp(lockBox_,
                  [] { return QStringLiteral("Empêche le redimensionnement à la souris"); });
    massBox_ = new QLineEdit(frame);
    massBox_->setObjectName(QStringLiteral("masse"));
    massBox_->setPlaceholderText(QStringLiteral("kg"));
    massBox_->setToolTip(QStringLiteral("Masse (kg)"));
    massBox_->setGeometry(48, 64, 36, 20); // under the position boxes
    connect(massBox_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([text](editor::Editor& e) { e.massTextChanged(text); });
    });
    connect(massBox_, &QLineEdit::returnPressed, this,
            [this] { forward([](editor::Editor& e) { e.massConfirmed(); }); });
    setStatusHelp(massBox_, [] {
        return QStringLiteral("Masse de l'objet en kg, vide si elle n'est pas connue (Appuyez "
                              "sur Entrée pour valider)");
    });
    setTabOrder(dimensionBoxes_[editor::Dimension::Width],
                dimensionBoxes_[editor::Dimension::Height]);
    setTabOrder(dimensionBoxes_[editor::Dimension::Height], positionBoxes_[0]);
    setTabOrder(positionBoxes_[0], positionBoxes_[1]);
    setTabOrder(positionBoxes_[1], lockBox_);
}

void MainWindow::buildFillFrame(QWidget* area) {
    auto* frame =
        makeFrame(QStringLiteral("Frame1"), QStringLiteral("Remplissage"), 323, 148, area);
    fillFrame_ = frame;
    setStatusHelp(frame, [] { return QStringLiteral("Choisir une couleur de remplissage"); });
    fillSwatch_ = new PictureWidget(QStringLiteral("Couleur"), frame);
    fillSwatch_->setGeometry(kFrameMargin, 20, 61, 61);
    fillSwatch_->setPictureSource(
        [this]() -> const QImage& { return editor_->controls().fillSwatch.image(); });
    fillSwatch_->clicked = [this] { forward([](editor::Editor& e) { e.fillSwatchClicked(); }); };
    for (int slot = 0; slot < 16; ++slot) {
        const int index = kSwatchOrder[std::size_t(slot)];
        auto* swatch = new PictureWidget(QStringLiteral("Choix_couleur_%1").arg(index), frame);
        swatch->setGeometry(72 + (slot % 4) * (kSwatch + 1), 20 + (slot / 4) * (kSwatch - 1),
                            kSwatch, kSwatch);
        swatch->setColour(platform::toQColor(document::paletteColour(index)));
        swatch->setToolTip(document::paletteName(index));
        swatch->clicked = [this, index] {
            forward([index](editor::Editor& e) { e.paletteColourChosen(index); });
        };
    }
    textureList_ = new QComboBox(frame);
    textureList_->setObjectName(QStringLiteral("Combo1"));
    textureList_->setGeometry(kFrameMargin, 88, 136, 22);
    textureList_->addItem(QStringLiteral("Choisir un texture..."));
    connect(textureList_, &QComboBox::activated, this, [this](int entry) {
        // Entry 0 is the list's caption, entry k the k-th texture.
        const std::optional<int> index = entry >= 1 ? std::optional(entry - 1) : std::nullopt;
        forward([index](editor::Editor& e) { e.textureIndexChosen(index); });
    });
}

void MainWindow::buildSurfaceFrame(QWidget* area) {
    auto* frame =
        makeFrame(QStringLiteral("Frame6"), QStringLiteral("Décompte surfaces"), 474, 142, area);
    surfaceFrame_ = frame;
    setStatusHelp(frame, [] { return QString(); });
    // The values sit in the gaps left in the two captions.
    const auto gapLabel = [frame](int number, const QString& text, int top) {
        auto* label = new QLabel(text, frame);
        label->setObjectName(QStringLiteral("Label%1").arg(number));
        label->move(8, top);
        label->adjustSize();
        return label;
    };
    const QLabel* selectedCaption = gapLabel(2, QStringLiteral("Séléction :            m²"), 16);
    const QLabel* totalCaption = gapLabel(4, QStringLiteral("Total :            m²"), 100);
    const QFontMetrics metrics(frame->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("            "));
    selectedAreaLabel_ = new QLabel(QStringLiteral("-----"), frame);
    selectedAreaLabel_->setGeometry(8 + metrics.horizontalAdvance(QStringLiteral("Séléction : ")),
                                    16, gap, selectedCaption->height());
    totalAreaLabel_ = new QLabel(QStringLiteral("0"), frame);
    totalAreaLabel_->setGeometry(8 + metrics.horizontalAdvance(QStringLiteral("Total : ")), 100,
                                 gap, totalCaption->height());
    selectedAreaLabel_->setObjectName(QStringLiteral("Label3"));
    totalAreaLabel_->setObjectName(QStringLiteral("Label5"));
    for (QLabel* value : {selectedAreaLabel_, totalAreaLabel_})
        value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    surfaceList_ = new QListWidget(frame);
    surfaceList_->setObjectName(QStringLiteral("List2"));
    surfaceList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    surfaceList_->setGeometry(40, 36, 94, 60);
    connect(surfaceList_, &QListWidget::itemSelectionChanged, this, [this] {
        QList<bool> selected;
        for (int row = 0; row < surfaceList_->count(); ++row)
            selected.append(surfaceList_->item(row)->isSelected());
        forward([selected](editor::Editor& e) { e.surfaceSelectionChanged(selected); });
    });
    addSurfaceButton_ =
        makePictureButton(QStringLiteral("Command6_0"), icons::addArrow(), kToolButton, frame);
    removeSurfaceButton_ =
        makePictureButton(QStringLiteral("Command6_1"), icons::redCross(), kToolButton, frame);
    addSurfaceButton_->move(8, 36);
    removeSurfaceButton_->move(8, 68);
    forwardClicks(addSurfaceButton_, [](editor::Editor& e) { e.addSurface(); });
    forwardClicks(removeSurfaceButton_, [](editor::Editor& e) { e.removeSelectedSurfaces(); });
    nameIconButton(addSurfaceButton_, QStringLiteral("Ajouter cette surface au décompte"));
    setStatusHelp(addSurfaceButton_, [words = addSurfaceButton_->toolTip()] { return words; });
    nameIconButton(removeSurfaceButton_,
                   QStringLiteral("Retirer les surfaces choisies du décompte"));
    auto* massButton = new QToolButton(frame);
    massButton->setObjectName(QStringLiteral("Command6_2"));
    massButton->setText(QStringLiteral("kg"));
    massButton->setToolTip(QStringLiteral("Bilan des masses"));
    massButton->setGeometry(108, 96, 28, 20);
    connect(massButton, &QToolButton::clicked, this, [this] { showMassWindow(); });
    setStatusHelp(massButton, [] {
        return QStringLiteral("Bilan des masses : total, charge sur chaque essieu, charge utile");
    });
}

void MainWindow::buildPlan(QWidget* area) {
    plan_ = new PictureWidget(QStringLiteral("Picture1"), area);
    plan_->setMouseTracking(true);
    plan_->setFocusPolicy(Qt::StrongFocus);
    plan_->setPictureSource([this]() -> const QImage& { return editor_->canvas().image(); });
    plan_->pressed = [this](QPointF at, Qt::MouseButton) {
        plan_->setFocus(Qt::MouseFocusReason);
        forward([at](editor::Editor& e) { e.planPressed(at); });
    };
    plan_->clicked = [this] { forward([](editor::Editor& e) { e.planClicked(); }); };
    plan_->moved = [this](QPointF at, Qt::MouseButtons, Qt::KeyboardModifiers) {
        forward([at](editor::Editor& e) {
            e.pointerOverPlan(at);
            e.planHovered();
        });
    };
    // The snapping guides, and the centre of mass while the mass window marks it: a
    // dashed red line across the plan, never part of the canvas that outputs take.
    plan_->overlay = [this](QPainter& painter) {
        paintGuides(painter);
        const std::optional<int> column = editor_->massCentreColumn();
        if (!column)
            return;
        painter.setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
        painter.drawLine(*column, 0, *column, plan_->height());
        painter.drawText(*column + 4, 14, QStringLiteral("G"));
    };
    plan_->left = [this] { forward([](editor::Editor& e) { e.pointerLeftPlan(); }); };
    // The plan and the selection box take the same keys.
    const auto keyPressed = [this](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        bool taken = false;
        forward(
            [key, modifiers, &taken](editor::Editor& e) { taken = e.keyPressed(key, modifiers); });
        return taken;
    };
    plan_->keyPressed = keyPressed;

    selectionBox_ = new PictureWidget(QStringLiteral("Picture2"), plan_);
    selectionBox_->hide();
    selectionBox_->setMouseTracking(true);
    selectionBox_->setFocusPolicy(Qt::StrongFocus);
    selectionBox_->setCursor(Qt::SizeAllCursor);
    selectionBox_->setPictureSource(
        [this]() -> const QImage& { return editor_->selection().box.surface.image(); },
        [this] { return editor_->selection().box.shown; });
    selectionBox_->pressed = [this](QPointF at, Qt::MouseButton button) {
        selectionBox_->setFocus(Qt::MouseFocusReason);
        forward([at, button](editor::Editor& e) { e.boxPressed(at, button); });
        if (button == Qt::RightButton && editor_->hasSelection())
            editMenu_->popup(QCursor::pos());
    };
    selectionBox_->moved = [this](QPointF at, Qt::MouseButtons held,
                                  Qt::KeyboardModifiers modifiers) {
        const QPointF onPlan = at + selectionBox_->pos();
        forward([at, held, modifiers, onPlan](editor::Editor& e) {
            e.pointerOverPlan(onPlan);
            e.boxMoved(at, held, modifiers);
        });
    };
    selectionBox_->released = [this] { forward([](editor::Editor& e) { e.boxReleased(); }); };
    selectionBox_->keyPressed = keyPressed;

    for (std::size_t i = 0; i < editor::kHandleCount; ++i) {
        const auto role = editor::Handle(i);
        auto* handle = new PictureWidget(QStringLiteral("picCoin_%1").arg(i), plan_);
        handle->resize(5, 5);
        handle->hide();
        handle->pressed = [this](QPointF at, Qt::MouseButton) {
            forward([at](editor::Editor& e) { e.handlePressed(at); });
        };
        handle->moved = [this, role, handle](QPointF at, Qt::MouseButtons held,
                                             Qt::KeyboardModifiers modifiers) {
            const QPointF onPlan = at + handle->pos();
            forward([role, at, held, modifiers, onPlan](editor::Editor& e) {
                e.pointerOverPlan(onPlan);
                e.handleMoved(role, at, held, modifiers);
            });
        };
        handle->released = [this] { forward([](editor::Editor& e) { e.handleReleased(); }); };
        handle->setMouseTracking(true);
        handles_[i] = handle;
    }

    horizontalBar_ = new QScrollBar(Qt::Horizontal, area);
    verticalBar_ = new QScrollBar(Qt::Vertical, area);
    horizontalBar_->setObjectName(QStringLiteral("HScroll1"));
    verticalBar_->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {horizontalBar_, verticalBar_}) {
        bar->setRange(0, 100);
        bar->setPageStep(10);
        bar->setSingleStep(1);
    }
    connect(horizontalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        forward([value](editor::Editor& e) { e.horizontalScrolled(value); });
    });
    connect(verticalBar_, &QScrollBar::valueChanged, this, [this](int value) {
        forward([value](editor::Editor& e) { e.verticalScrolled(value); });
    });
}

void MainWindow::paintGuides(QPainter& painter) const {
    const std::vector<editor::Guide> guides = editor_->dragAids().guides;
    if (guides.empty())
        return;
    painter.setPen(QPen(QColor(kGuideColour), 0));
    const QRect area = plan_->rect();
    for (const editor::Guide& guide : guides) {
        const int at = int(std::lround(guide.at));
        if (guide.axis == editor::Axis::X)
            painter.drawLine(at, area.top(), at, area.bottom());
        else
            painter.drawLine(area.left(), at, area.right(), at);
    }
}

QRect MainWindow::canvasGeometry(QSize inner) {
    return QRect(8, 128, inner.width() - 33, inner.height() - 168);
}

void MainWindow::placeControls() {
    const QSize inner = area_->size();
    const QRect canvas = canvasGeometry(inner);
    plan_->setGeometry(canvas);
    verticalBar_->setGeometry(inner.width() - 26, canvas.top(), kScrollThickness, canvas.height());
    horizontalBar_->setGeometry(canvas.left(), inner.height() - 41, canvas.width(),
                                kScrollThickness);
    statusBar_->setGeometry(0, inner.height() - kStatusHeight, inner.width(), kStatusHeight);
    if (!editor_)
        return;
    const int width = canvas.width(), height = canvas.height();
    forward([width, height](editor::Editor& e) { e.canvasResized(width, height); });
}

void MainWindow::refreshTextureList() {
    const auto& controls = editor_->controls();
    if (controls.textures != listedTextures_) {
        listedTextures_ = controls.textures;
        textureList_->clear();
        textureList_->addItem(QStringLiteral("Choisir un texture..."));
        for (const QString& file : listedTextures_)
            textureList_->addItem(library::textureCaption(file));
    }
    const int entry = controls.texture ? *controls.texture + 1 : 0;
    if (textureList_->currentIndex() != entry)
        textureList_->setCurrentIndex(entry);
    textureList_->setEnabled(controls.textureListEnabled);
}

void MainWindow::refreshSurfaceList() {
    const auto& panel = editor_->surfaces();
    surfaceFrame_->setVisible(panel.visible);
    selectedAreaLabel_->setText(panel.areaText);
    totalAreaLabel_->setText(panel.totalText);
    QStringList shown;
    for (int row = 0; row < surfaceList_->count(); ++row)
        shown.append(surfaceList_->item(row)->text());
    if (shown != panel.lines) {
        surfaceList_->clear();
        surfaceList_->addItems(panel.lines);
    }
    for (int row = 0; row < surfaceList_->count(); ++row) {
        const bool selected = row < panel.selected.size() && panel.selected[row];
        if (surfaceList_->item(row)->isSelected() != selected)
            surfaceList_->item(row)->setSelected(selected);
    }
    addSurfaceButton_->setEnabled(panel.addEnabled);
    removeSurfaceButton_->setEnabled(panel.deleteEnabled);
}

void MainWindow::refreshSelection() {
    const editor::SelectionState& selection = editor_->selection();
    const auto& box = selection.box;
    if (box.visible) {
        // Qt keeps widget geometry within 24 bits; a box larger than that is cut on the
        // right and bottom, far beyond any screen.
        const auto pixels = [](float v) {
            return int(std::clamp(std::nearbyint(double(v)), -double(QWIDGETSIZE_MAX),
                                  double(QWIDGETSIZE_MAX)));
        };
        selectionBox_->setGeometry(pixels(box.left), pixels(box.top),
                                   std::min(pixels(box.width), QWIDGETSIZE_MAX),
                                   std::min(pixels(box.height), QWIDGETSIZE_MAX));
    }
    selectionBox_->setVisible(box.visible);
    if (box.visible)
        selectionBox_->raise();
    selectionBox_->update();

    const QColor handleColour =
        selection.handles.locked ? QColor(170, 170, 170) : QColor(Qt::black);
    for (std::size_t i = 0; i < 8; ++i) {
        PictureWidget* handle = handles_[i];
        handle->move(selection.handles.topLeft[i]);
        handle->setColour(handleColour);
        handle->setCursor(selection.handles.locked ? Qt::ForbiddenCursor : kHandleCursors[i]);
        handle->setVisible(selection.handles.visible);
        if (selection.handles.visible)
            handle->raise();
    }
}

} // namespace app
