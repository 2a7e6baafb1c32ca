// The main window's controls: the tool frames along the top, the plan with its
// selection box, handles and scroll bars, and the status bar.
#include "app/MainWindow.h"

#include "app/Icons.h"
#include "app/PictureWidget.h"
#include "document/Palette.h"
#include "library/LibraryNames.h"
#include "library/ui/AccessoryBrowser.h"
#include "settings/ui/DigitKeyFilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
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

    statusBar1_ = new QStatusBar(area_);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setSizeGripEnabled(false);
    statusPosition_ = new QLabel(statusBar1_);
    statusPosition_->setObjectName(QStringLiteral("StatusPosition"));
    statusBar1_->addPermanentWidget(statusPosition_);
}

void MainWindow::buildObjectsFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame5"), QStringLiteral("Objets"), 4, 92, area);
    frames_[5] = frame;
    // Left to right: rectangle, measure, text, ellipse, triangle, line; the index is the kind.
    struct Tool {
        int index;
        int picture;
        const char* help;
    };
    const std::array<Tool, 6> tools = {{
        {1, 9, "Dessiner un rectangle"},
        {0, 10, "Prendre une mesure"},
        {3, 11, "Ecrire du texte"},
        {2, 12, "Dessiner une ellipse / un cercle"},
        {5, 13, "Dessiner un triangle"},
        {4, 14, "Dessiner une ligne"},
    }};
    for (int slot = 0; slot < 6; ++slot) {
        const Tool& tool = tools[std::size_t(slot)];
        auto* button = makePictureButton(QStringLiteral("Command1_%1").arg(tool.index),
                                         icons::menuIcon(tool.picture), kToolButton, frame);
        button->move(kFrameMargin + (slot % 3) * (kToolButton + 1),
                     20 + (slot / 3) * (kToolButton + 2));
        const int index = tool.index;
        connect(button, &QToolButton::clicked, this, [this, index] {
            forward([index](editor::Editor& e) { e.Command1_Click(index); });
        });
        const QString help = QString::fromUtf8(tool.help);
        setStatusHelp(button, [help] { return help; });
        command1_[std::size_t(index)] = button;
    }
    check2_ = makePictureButton(QStringLiteral("Check2"), icons::accessories(), kToolButton, frame);
    check2_->setCheckable(true);
    check2_->move(kFrameMargin, 20 + 2 * (kToolButton + 2));
    connect(check2_, &QToolButton::clicked, this,
            [this](bool checked) { accessoryBrowserToggled(checked); });
    setStatusHelp(check2_, [this] {
        return form3_ && form3_->isVisible()
                   ? QStringLiteral("Fermer la bibliothèque d'accessoires")
                   : QStringLiteral("Ouvrir la bibliothèque d'accessoires");
    });
}

void MainWindow::buildEditionFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame4"), QStringLiteral("Edition"), 99, 65, area);
    frames_[4] = frame;
    command4_[0] =
        makePictureButton(QStringLiteral("Command4_0"), icons::menuIcon(16), kEditButton, frame);
    command4_[1] =
        makePictureButton(QStringLiteral("Command4_1"), icons::menuIcon(5), kEditButton, frame);
    command5_[1] =
        makePictureButton(QStringLiteral("Command5_1"), icons::menuIcon(6), kEditButton, frame);
    command5_[0] =
        makePictureButton(QStringLiteral("Command5_0"), icons::menuIcon(7), kEditButton, frame);
    command2_ =
        makePictureButton(QStringLiteral("Command2"), icons::menuIcon(8), kEditButton, frame);
    // Two to a row: front and back, turn left and right, then delete.
    const std::array<QToolButton*, 5> order = {command4_[0], command4_[1], command5_[1],
                                               command5_[0], command2_};
    for (int slot = 0; slot < 5; ++slot)
        order[std::size_t(slot)]->move(kFrameMargin + (slot % 2) * (kEditButton + 3),
                                       20 + (slot / 2) * (kEditButton + 3));
    for (int i = 0; i < 2; ++i) {
        connect(command4_[i], &QToolButton::clicked, this,
                [this, i] { forward([i](editor::Editor& e) { e.restackSelection(i); }); });
        connect(command5_[i], &QToolButton::clicked, this,
                [this, i] { forward([i](editor::Editor& e) { e.turnSelection(i); }); });
    }
    connect(command2_, &QToolButton::clicked, this,
            [this] { forward([](editor::Editor& e) { e.deleteSelection(); }); });
    setStatusHelp(command4_[0], [] { return QStringLiteral("Mettre au premier plan"); });
    setStatusHelp(command4_[1], [] { return QStringLiteral("Envoyer à l'arrière-plan"); });
    setStatusHelp(command5_[0], [] { return QStringLiteral("Pivoter à droite"); });
    setStatusHelp(command5_[1], [] { return QStringLiteral("Pivoter à gauche"); });
    setStatusHelp(command2_, [] { return QStringLiteral("Supprimer"); });
}

void MainWindow::buildZoomFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame3"), QStringLiteral("Zoom %"), 167, 60, area);
    frames_[3] = frame;
    text2_ = new QLineEdit(QStringLiteral("100"), frame);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setGeometry(8, 22, 44, 22);
    text2_->installEventFilter(new settings::ui::DigitKeyFilter(text2_));
    connect(text2_, &QLineEdit::textEdited, this, [this](const QString& text) {
        forward([text](editor::Editor& e) { e.zoomTextChanged(text); });
    });
    setStatusHelp(text2_, [] { return QStringLiteral("Entrez une valeur entre 10 et 1600%"); });
    const QString captions[] = {QStringLiteral("-"), QStringLiteral("+")};
    for (int i = 0; i < 2; ++i) {
        command3_[i] = new QPushButton(captions[i], frame);
        command3_[i]->setObjectName(QStringLiteral("Command3_%1").arg(i));
        command3_[i]->setGeometry(8 + i * 23, 50, 21, 22);
        command3_[i]->setAutoDefault(false);
        connect(command3_[i], &QPushButton::clicked, this,
                [this, i] { forward([i](editor::Editor& e) { e.stepZoom(i); }); });
    }
}

void MainWindow::buildDimensionsFrame(QWidget* area) {
    auto* frame = makeFrame(QStringLiteral("Frame2"), QStringLiteral("Dimensions"), 230, 90, area);
    frames_[2] = frame;
    setStatusHelp(
        frame, [] { return QStringLiteral("Visualisez ou définissez les dimensions de l'objet"); });
    auto* filter = new settings::ui::DigitKeyFilter(frame);
    const QString helps[] = {
        QStringLiteral("Largeur de l'objet (Appuyez sur Entrée pour valider)"),
        QStringLiteral("Hauteur de l'objet (Appuyez sur Entrée pour valider)")};
    for (int i = 0; i < 2; ++i) {
        text1_[i] = new QLineEdit(QStringLiteral("50"), frame);
        text1_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        text1_[i]->setGeometry(8, 20 + i * 26, 44, 22);
        text1_[i]->installEventFilter(filter);
        connect(text1_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            forward([i, text](editor::Editor& e) { e.dimensionTextChanged(i, text); });
        });
        connect(text1_[i], &QLineEdit::returnPressed, this, [this, i] {
            forward([i](editor::Editor& e) { e.dimensionKeyPressed(i, editor::KeyEnter); });
        });
        const QString help = helps[i];
        setStatusHelp(text1_[i], [help] { return help; });
    }
    auto* image1 = new QLabel(frame);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setPixmap(icons::dimensions());
    image1->setGeometry(58, 20, 24, 24);
    labels_[1] = new QLabel(QStringLiteral("(cm)"), frame);
    labels_[1]->setObjectName(QStringLiteral("Label1"));
    labels_[1]->setGeometry(56, 48, 32, 18);
    check1_ = new QCheckBox(QStringLiteral("Figées"), frame);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(8, 76, 78, 20);
    connect(check1_, &QCheckBox::clicked, this, [this](bool checked) {
        forward([checked](editor::Editor& e) { e.sizeLockToggled(checked); });
    });
    setStatusHelp(check1_,
                  [] { return QStringLiteral("Empêche le redimensionnement à la souris"); });
}

void MainWindow::buildFillFrame(QWidget* area) {
    auto* frame =
        makeFrame(QStringLiteral("Frame1"), QStringLiteral("Remplissage"), 323, 148, area);
    frames_[1] = frame;
    setStatusHelp(frame, [] { return QStringLiteral("Choisir une couleur de remplissage"); });
    couleur_ = new PictureWidget(QStringLiteral("Couleur"), frame);
    couleur_->setGeometry(kFrameMargin, 20, 61, 61);
    couleur_->setPictureSource(
        [this]() -> const QImage& { return editor_->state().controls.couleur.image(); });
    couleur_->click = [this] { forward([](editor::Editor& e) { e.fillSwatchClicked(); }); };
    for (int slot = 0; slot < 16; ++slot) {
        const int index = kSwatchOrder[std::size_t(slot)];
        auto* swatch = new PictureWidget(QStringLiteral("Choix_couleur_%1").arg(index), frame);
        swatch->setGeometry(72 + (slot % 4) * (kSwatch + 1), 20 + (slot / 4) * (kSwatch - 1),
                            kSwatch, kSwatch);
        swatch->setColour(platform::toQColor(document::paletteColour(index)));
        swatch->setToolTip(document::paletteName(index));
        swatch->click = [this, index] {
            forward([index](editor::Editor& e) { e.Choix_couleur_Click(index); });
        };
        choixCouleur_[std::size_t(index)] = swatch;
    }
    combo1_ = new QComboBox(frame);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setGeometry(kFrameMargin, 88, 136, 22);
    combo1_->addItem(QStringLiteral("Choisir un texture..."));
    connect(combo1_, &QComboBox::activated, this,
            [this](int index) { forward([index](editor::Editor& e) { e.Combo1_Click(index); }); });
}

void MainWindow::buildSurfaceFrame(QWidget* area) {
    auto* frame =
        makeFrame(QStringLiteral("Frame6"), QStringLiteral("Décompte surfaces"), 474, 142, area);
    frames_[6] = frame;
    setStatusHelp(frame, [] { return QString(); });
    // The values sit in the gaps left in the two captions.
    const auto gapLabel = [frame](int number, const QString& text, int top) {
        auto* label = new QLabel(text, frame);
        label->setObjectName(QStringLiteral("Label%1").arg(number));
        label->move(8, top);
        label->adjustSize();
        return label;
    };
    labels_[2] = gapLabel(2, QStringLiteral("Séléction :            m²"), 16);
    labels_[4] = gapLabel(4, QStringLiteral("Total :            m²"), 100);
    const QFontMetrics metrics(frame->font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("            "));
    labels_[3] = new QLabel(QStringLiteral("-----"), frame);
    labels_[3]->setGeometry(8 + metrics.horizontalAdvance(QStringLiteral("Séléction : ")), 16, gap,
                            labels_[2]->height());
    labels_[5] = new QLabel(QStringLiteral("0"), frame);
    labels_[5]->setGeometry(8 + metrics.horizontalAdvance(QStringLiteral("Total : ")), 100, gap,
                            labels_[4]->height());
    labels_[3]->setObjectName(QStringLiteral("Label3"));
    labels_[5]->setObjectName(QStringLiteral("Label5"));
    for (QLabel* value : {labels_[3], labels_[5]})
        value->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    list2_ = new QListWidget(frame);
    list2_->setObjectName(QStringLiteral("List2"));
    list2_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list2_->setGeometry(40, 36, 94, 60);
    connect(list2_, &QListWidget::itemSelectionChanged, this, [this] {
        QList<bool> selected;
        for (int row = 0; row < list2_->count(); ++row)
            selected.append(list2_->item(row)->isSelected());
        forward([selected](editor::Editor& e) { e.List2_Click(selected); });
    });
    command6_[0] =
        makePictureButton(QStringLiteral("Command6_0"), icons::addArrow(), kToolButton, frame);
    command6_[1] =
        makePictureButton(QStringLiteral("Command6_1"), icons::redCross(), kToolButton, frame);
    command6_[0]->move(8, 36);
    command6_[1]->move(8, 68);
    for (int i = 0; i < 2; ++i)
        connect(command6_[i], &QToolButton::clicked, this,
                [this, i] { forward([i](editor::Editor& e) { e.editSurfaceList(i); }); });
    setStatusHelp(command6_[0], [] { return QStringLiteral("Ajouter cette surface au décompte"); });
}

void MainWindow::buildPlan(QWidget* area) {
    picture1_ = new PictureWidget(QStringLiteral("Picture1"), area);
    picture1_->setMouseTracking(true);
    picture1_->setFocusPolicy(Qt::StrongFocus);
    picture1_->setPictureSource(
        [this]() -> const QImage& { return editor_->state().picture1.image(); });
    picture1_->mouseDown = [this](int button, int shift, float x, float y) {
        picture1_->setFocus(Qt::MouseFocusReason);
        forward([=](editor::Editor& e) { e.Picture1_MouseDown(button, shift, x, y); });
    };
    picture1_->click = [this] { forward([](editor::Editor& e) { e.planClicked(); }); };
    picture1_->mouseMove = [this](int, int, float, float) {
        forward([](editor::Editor& e) { e.Picture1_MouseMove(); });
    };
    picture1_->keyDown = [this](int key, int shift) {
        forward([=](editor::Editor& e) { e.Picture1_KeyDown(key, shift); });
    };
    picture1_->keyPress = [this](int key) {
        forward([=](editor::Editor& e) { e.Picture1_KeyPress(key); });
    };

    picture2_ = new PictureWidget(QStringLiteral("Picture2"), picture1_);
    picture2_->hide();
    picture2_->setMouseTracking(true);
    picture2_->setFocusPolicy(Qt::StrongFocus);
    picture2_->setCursor(Qt::SizeAllCursor);
    picture2_->setPictureSource(
        [this]() -> const QImage& { return editor_->state().picture2.surface.image(); },
        [this] { return editor_->state().picture2.shown; });
    picture2_->mouseDown = [this](int button, int shift, float x, float y) {
        picture2_->setFocus(Qt::MouseFocusReason);
        forward([=](editor::Editor& e) { e.Picture2_MouseDown(button, shift, x, y); });
        if (button == editor::RightButton && editor_->state().hasSelection())
            mnuedit_->popup(QCursor::pos());
    };
    picture2_->mouseMove = [this](int button, int shift, float x, float y) {
        forward([=](editor::Editor& e) { e.Picture2_MouseMove(button, shift, x, y); });
    };
    picture2_->mouseUp = [this](int button, int shift, float x, float y) {
        forward([=](editor::Editor& e) { e.Picture2_MouseUp(button, shift, x, y); });
    };
    picture2_->keyDown = [this](int key, int shift) {
        forward([=](editor::Editor& e) { e.Picture2_KeyDown(key, shift); });
    };
    picture2_->keyPress = [this](int key) {
        forward([=](editor::Editor& e) { e.Picture2_KeyPress(key); });
    };

    for (int i = 0; i < 8; ++i) {
        auto* handle = new PictureWidget(QStringLiteral("picCoin_%1").arg(i), picture1_);
        handle->resize(5, 5);
        handle->hide();
        handle->mouseDown = [this, i](int button, int shift, float x, float y) {
            forward([=](editor::Editor& e) { e.picCoin_MouseDown(i, button, shift, x, y); });
        };
        handle->mouseMove = [this, i](int button, int shift, float x, float y) {
            forward([=](editor::Editor& e) { e.picCoin_MouseMove(i, button, shift, x, y); });
        };
        handle->mouseUp = [this, i](int button, int shift, float x, float y) {
            forward([=](editor::Editor& e) { e.picCoin_MouseUp(i, button, shift, x, y); });
        };
        handle->setMouseTracking(true);
        picCoin_[std::size_t(i)] = handle;
    }

    hscroll1_ = new QScrollBar(Qt::Horizontal, area);
    vscroll1_ = new QScrollBar(Qt::Vertical, area);
    hscroll1_->setObjectName(QStringLiteral("HScroll1"));
    vscroll1_->setObjectName(QStringLiteral("VScroll1"));
    for (QScrollBar* bar : {hscroll1_, vscroll1_}) {
        bar->setRange(0, 100);
        bar->setPageStep(10);
        bar->setSingleStep(1);
    }
    connect(hscroll1_, &QScrollBar::valueChanged, this, [this](int value) {
        forward([value](editor::Editor& e) { e.horizontalScrolled(value); });
    });
    connect(vscroll1_, &QScrollBar::valueChanged, this, [this](int value) {
        forward([value](editor::Editor& e) { e.verticalScrolled(value); });
    });
}

QRect MainWindow::canvasGeometry(QSize inner) {
    return QRect(8, 128, inner.width() - 33, inner.height() - 168);
}

void MainWindow::placeControls() {
    const QSize inner = area_->size();
    const QRect canvas = canvasGeometry(inner);
    picture1_->setGeometry(canvas);
    vscroll1_->setGeometry(inner.width() - 26, canvas.top(), kScrollThickness, canvas.height());
    hscroll1_->setGeometry(canvas.left(), inner.height() - 41, canvas.width(), kScrollThickness);
    statusBar1_->setGeometry(0, inner.height() - kStatusHeight, inner.width(), kStatusHeight);
    if (!editor_)
        return;
    const int width = canvas.width(), height = canvas.height();
    forward([width, height](editor::Editor& e) { e.canvasResized(width, height); });
}

void MainWindow::refreshCombo() {
    const auto& controls = editor_->state().controls;
    if (controls.textures != comboTextures_) {
        comboTextures_ = controls.textures;
        combo1_->clear();
        combo1_->addItem(QStringLiteral("Choisir un texture..."));
        for (const QString& file : comboTextures_)
            combo1_->addItem(library::textureCaption(file));
    }
    if (combo1_->currentIndex() != controls.combo1Index)
        combo1_->setCurrentIndex(controls.combo1Index);
    combo1_->setEnabled(controls.combo1Enabled);
}

void MainWindow::refreshSurfaceList() {
    const auto& panel = editor_->state().surfaces;
    frames_[6]->setVisible(panel.visible);
    labels_[3]->setText(panel.label3);
    labels_[5]->setText(panel.label5);
    QStringList shown;
    for (int row = 0; row < list2_->count(); ++row)
        shown.append(list2_->item(row)->text());
    if (shown != panel.lines) {
        list2_->clear();
        list2_->addItems(panel.lines);
    }
    for (int row = 0; row < list2_->count(); ++row) {
        const bool selected = row < panel.selected.size() && panel.selected[row];
        if (list2_->item(row)->isSelected() != selected)
            list2_->item(row)->setSelected(selected);
    }
    command6_[0]->setEnabled(panel.addEnabled);
    command6_[1]->setEnabled(panel.deleteEnabled);
}

void MainWindow::refreshSelection() {
    const editor::EditorState& state = editor_->state();
    const auto& box = state.picture2;
    if (box.visible) {
        // Qt keeps widget geometry within 24 bits; a box larger than that is cut on the
        // right and bottom, far beyond any screen.
        const auto pixels = [](float v) {
            return int(std::clamp(std::nearbyint(double(v)), -double(QWIDGETSIZE_MAX),
                                  double(QWIDGETSIZE_MAX)));
        };
        picture2_->setGeometry(pixels(box.left), pixels(box.top),
                               std::min(pixels(box.width), QWIDGETSIZE_MAX),
                               std::min(pixels(box.height), QWIDGETSIZE_MAX));
    }
    picture2_->setVisible(box.visible);
    if (box.visible)
        picture2_->raise();
    picture2_->update();

    const QColor handleColour = state.handles.locked ? QColor(170, 170, 170) : QColor(Qt::black);
    for (std::size_t i = 0; i < 8; ++i) {
        PictureWidget* handle = picCoin_[i];
        handle->move(state.handles.topLeft[i]);
        handle->setColour(handleColour);
        handle->setCursor(state.handles.locked ? Qt::ForbiddenCursor : kHandleCursors[i]);
        handle->setVisible(state.handles.visible);
        if (state.handles.visible)
            handle->raise();
    }
}

} // namespace app
