#include "library/ui/VehicleImportDialog.h"

#include "library/ImportSteps.h"
#include "library/LibraryNames.h"
#include "library/MassData.h"
#include "library/ui/ImportSupport.h"
#include "library/ui/SurfaceView.h"
#include "library/ui/VehicleDataBoxes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace library::ui {

namespace {
// The smallest window, and what the left column, the data frame under the picture and
// the margins take from it (pixels).
constexpr QSize kMinimumSize(817, 713);
constexpr int kColumnWidth = 184;
constexpr int kDataHeight = 150;
constexpr int kBottomMargin = 50 + kDataHeight;
constexpr int kMargin = 8;

const QString kNoResolution = QStringLiteral("Cliquez ci-dessous");
const QString kStartTest = QStringLiteral("Faire le test");
} // namespace

VehicleImportDialog::VehicleImportDialog(const QString& libraryRoot, platform::FileSystem& files,
                                         platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), libraryRoot_(libraryRoot), files_(files), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Kestrion - Importer un véhicule"));
    buildControls();
    setMinimumSize(kMinimumSize);
    resize(minimumSize());
}

QString VehicleImportDialog::axesOf(ViewType view) {
    switch (view) {
    case ViewType::Top:
        return QStringLiteral("XY");
    case ViewType::Side:
        return QStringLiteral("XZ");
    case ViewType::FrontBack:
        break;
    }
    return QStringLiteral("YZ");
}

void VehicleImportDialog::buildControls() {
    leftColumn_ = new QWidget(this);
    auto* column = new QVBoxLayout(leftColumn_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    auto* testFrame = makeFrame(QStringLiteral("1 - Résolution de l'image"), 1, leftColumn_);
    auto* test = new QVBoxLayout(testFrame);
    test->setContentsMargins(6, 2, 6, 4);
    testButton_ = new QPushButton(kStartTest, testFrame);
    testButton_->setObjectName(QStringLiteral("Command1"));
    testButton_->setAutoDefault(false);
    connect(testButton_, &QPushButton::clicked, this, [this] { startCalibration(); });
    resolutionLabel_ = new QLabel(kNoResolution, testFrame);
    resolutionLabel_->setObjectName(QStringLiteral("Label1"));
    resolutionLabel_->setAlignment(Qt::AlignCenter);
    test->addWidget(testButton_);
    test->addWidget(resolutionLabel_);
    column->addWidget(testFrame);

    auto* viewFrame = makeFrame(QStringLiteral("2 - Type de vue"), 2, leftColumn_);
    auto* views = new QVBoxLayout(viewFrame);
    views->setContentsMargins(6, 2, 6, 4);
    views->setSpacing(2);
    viewTypes_ = new QButtonGroup(this);
    const std::pair<ViewType, QString> viewCaptions[] = {
        {ViewType::Top, QStringLiteral("Dessus")},
        {ViewType::FrontBack, QStringLiteral("Avant / Arrière")},
        {ViewType::Side, QStringLiteral("Gauche / Droite")}};
    for (const auto& [view, caption] : viewCaptions) {
        auto* option = new QRadioButton(caption, viewFrame);
        option->setObjectName(QStringLiteral("Option1_%1").arg(int(view)));
        viewTypes_->addButton(option, int(view));
        views->addWidget(option);
    }
    column->addWidget(viewFrame);
    // A front or back view has no axles to place.
    connect(viewTypes_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            dataBoxes_->setAxlesEnabled(ViewType(id) != ViewType::FrontBack);
    });

    const QString frameCaptions[] = {QStringLiteral("3 - Modèle"),
                                     QStringLiteral("4 - Carrosserie"),
                                     QStringLiteral("5 - Nom de la vue")};
    const QString prompts[] = {QStringLiteral("Choisissez ou créez un nouveau modèle"),
                               QStringLiteral("Choisissez ou créez une nouvelle carrosserie"),
                               QStringLiteral("Choisissez ou créez une nouvelle vue")};
    for (int i = 0; i < 3; ++i) {
        auto* frame = makeFrame(frameCaptions[i], i + 3, leftColumn_);
        auto* box = new QVBoxLayout(frame);
        box->setContentsMargins(6, 2, 6, 4);
        box->setSpacing(2);
        auto* prompt = new QLabel(prompts[i], frame);
        prompt->setObjectName(QStringLiteral("Label%1").arg(i + 2));
        prompt->setWordWrap(true);
        nameLists_[size_t(i)] = makeNameList(QStringLiteral("Combo%1").arg(i + 1), frame);
        if (i < 2)
            connect(nameLists_[size_t(i)], &QComboBox::currentTextChanged, this,
                    [this] { showKnownMasses(); });
        prompt->setBuddy(nameLists_[size_t(i)]);
        box->addWidget(prompt);
        box->addWidget(nameLists_[size_t(i)]);
        column->addWidget(frame);
    }

    addImportButtons(
        column, leftColumn_, QStringLiteral("Command2"),
        {[this] { addToLibrary(); }, [this] { otherPicture(); }, [this] { reject(); }});
    column->addStretch();

    pictureArea_ = makePictureArea(this, QStringLiteral("Picture1"), pictureView_);
    pictureView_->setMouseTracking(true);
    connect(pictureView_, &SurfaceView::mousePressed, this,
            [this](QPointF at) { calibrationClicked(at); });
    connect(pictureView_, &SurfaceView::mouseMoved, this, [this](QPointF at) { pointerMoved(at); });

    auto* dataFrame = makeFrame(QStringLiteral("6 - Masses et essieux (facultatif)"), 6, this);
    auto* data = new QVBoxLayout(dataFrame);
    data->setContentsMargins(6, 2, 6, 4);
    dataBoxes_ = new VehicleDataBoxes(dataFrame);
    connect(dataBoxes_->pickButton(), &QPushButton::clicked, this, [this] { startAxlePick(); });
    data->addWidget(dataBoxes_);
    data->addStretch();
    dataFrame_ = dataFrame;
}

void VehicleImportDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    leftColumn_->setGeometry(kMargin, kMargin, kColumnWidth - 2 * kMargin, height() - 2 * kMargin);
    pictureArea_->setGeometry(kColumnWidth - kMargin, kMargin, width() - kColumnWidth,
                              height() - kBottomMargin);
    dataFrame_->setGeometry(kColumnWidth - kMargin, height() - kBottomMargin + kMargin,
                            width() - kColumnWidth, kDataHeight);
    // A new size wipes the marks of a test: the picture is drawn again.
    if (!picture_.isNull()) {
        redrawPicture();
        test_.forgetCrossHair();
    }
}

void VehicleImportDialog::start() {
    resolution_ = 0;
    fillNameLists(nameLists_,
                  libraryFileNames(files_, dialogs_, vehiclesFolder(libraryRoot_),
                                   QStringLiteral("Impossible d'obtenir la liste des véhicules")));
    test_.reset();
    std::optional<ChosenPicture> chosen = choosePicture(dialogs_);
    if (!chosen)
        return;
    sourcePath_ = chosen->path;
    picture_ = std::move(chosen->picture);
    redrawPicture();
}

void VehicleImportDialog::redrawPicture() {
    pictureView_->setSurfaceSize(picture_.size());
    pictureView_->surface().drawPictureAt(picture_, 0, 0);
    pictureView_->refresh();
}

void VehicleImportDialog::startCalibration() {
    if (picture_.isNull()) {
        warn(dialogs_, QStringLiteral("Vous devez d'abord choisir une image : cliquez sur "
                                      "\"Autre image\"."));
        return;
    }
    if (pick_.running()) {
        pick_.reset();
        redrawPicture();
    }
    dialogs_.messageBox(
        QStringLiteral("Il faut que vous connaissiez une distance réelle sur l'image.\n\n"
                       "Cliquez deux points correspondants aux extrémités de la distance "
                       "connue!\nSi vous ne voyez pas une partie de l'image, agrandissez la "
                       "fenêtre."),
        platform::kProgramName, platform::MsgIcon::Information, platform::MsgButtons::Ok);
    test_.start();
}

void VehicleImportDialog::startAxlePick() {
    if (picture_.isNull()) {
        warn(dialogs_, QStringLiteral("Vous devez d'abord choisir une image : cliquez sur "
                                      "\"Autre image\"."));
        return;
    }
    if (resolution_ == 0) {
        warn(dialogs_, QStringLiteral("Faites d'abord le test de résolution de l'image : les "
                                      "centres des essieux se donnent en centimètres."));
        return;
    }
    test_.reset();
    redrawPicture();
    explainAxlePick(dialogs_);
    pick_.start();
}

void VehicleImportDialog::showKnownMasses() {
    const auto masses = readVehicleData(libraryRoot_, files_)
                            .massesOf(cleanName(nameLists_[0]->currentText()),
                                      cleanName(nameLists_[1]->currentText()));
    if (!masses)
        return;
    VehicleDataTexts texts = dataBoxes_->texts();
    const VehicleDataTexts known = vehicleDataTexts({masses, std::nullopt});
    for (int k = 0; k < int(VehicleDatum::FrontAxle); ++k)
        texts[std::size_t(k)] = known[std::size_t(k)];
    dataBoxes_->setTexts(texts);
}

bool VehicleImportDialog::saveVehicleData(const QString& name, const QString& model,
                                          const QString& body, bool lengthView) {
    const std::variant<VehicleDataEntry, QString> read =
        readVehicleDataTexts(dataBoxes_->texts(), lengthView);
    if (const QString* problem = std::get_if<QString>(&read)) {
        warn(dialogs_, *problem);
        return false;
    }
    const VehicleDataEntry& entry = std::get<VehicleDataEntry>(read);
    if (!entry.masses && !entry.axles)
        return true;
    // Boxes left empty keep what the library knows.
    VehicleData data = readVehicleData(libraryRoot_, files_);
    if (entry.masses)
        data.setMasses(model, body, entry.masses);
    if (entry.axles)
        data.setAxles(name, entry.axles);
    if (!writeVehicleData(libraryRoot_, data, files_)) {
        warn(dialogs_, QStringLiteral("Impossible d'écrire les données du véhicule dans la "
                                      "bibliothèque (fichier donnees.txt)."));
        return false;
    }
    return true;
}

void VehicleImportDialog::pointerMoved(QPointF at) {
    if (!test_.running())
        return;
    test_.pointerMoved(float(at.x()), float(at.y()), pictureView_->surface());
    pictureView_->refresh();
}

void VehicleImportDialog::calibrationClicked(QPointF at) {
    if (pick_.running()) {
        if (pick_.click(float(at.x()), pictureView_->surface()) == AxlePick::Click::Rear)
            if (const auto centres = pick_.centres(10000.0 / resolution_))
                dataBoxes_->setAxles(*centres);
        pictureView_->refresh();
        return;
    }
    const CalibrationTest::Click click =
        test_.click(float(at.x()), float(at.y()), pictureView_->surface());
    if (click == CalibrationTest::Click::SecondPoint)
        endTest(at);
    else
        pictureView_->refresh();
}

void VehicleImportDialog::endTest(QPointF at) {
    const QString answer = dialogs_.inputBox(
        QStringLiteral("Distance réelle en centimètres (cm) :"), platform::kProgramName, QString());
    const Measurement measured =
        measureResolution(answer, test_.distanceTo(float(at.x()), float(at.y())), QLocale());
    switch (measured.outcome) {
    case Measurement::Outcome::Ok:
    case Measurement::Outcome::NotANumber:
        break;
    case Measurement::Outcome::NotPositive:
        warn(dialogs_, QStringLiteral("La distance doit être un nombre de centimètres plus "
                                      "grand que zéro."));
        break;
    case Measurement::Outcome::TooLarge:
        warn(dialogs_, QStringLiteral("La résolution mesurée dépasse 32767 µm/pixel.\n\n"
                                      "Cliquez deux points plus éloignés ou vérifiez la "
                                      "distance."));
        break;
    case Measurement::Outcome::TooSmall:
        warn(dialogs_, QStringLiteral("La résolution mesurée est inférieure à 1 µm/pixel.\n\n"
                                      "Vérifiez la distance."));
        break;
    }
    resolution_ = measured.resolution;
    resolutionLabel_->setText(resolutionCaption(resolution_));
    testButton_->setText(resolution_ != 0 ? QStringLiteral("Test effectué")
                                          : QStringLiteral("Refaire le test"));
    redrawPicture();
}

void VehicleImportDialog::addToLibrary() {
    cleanNameTexts(nameLists_);
    const QString model = nameLists_[0]->currentText();
    const QString body = nameLists_[1]->currentText();
    const QString view = nameLists_[2]->currentText();

    if (resolution_ == 0) {
        warn(dialogs_, QStringLiteral("Vous devez faire le test de résolution de l'image!"));
        return;
    }
    const int viewType = viewTypes_->checkedId();
    if (viewType < 0) {
        warn(dialogs_, QStringLiteral("Veuillez sélectionner le type de vue!"));
        return;
    }
    if (model.isEmpty() || body.isEmpty() || view.isEmpty()) {
        warn(dialogs_,
             QStringLiteral("Vous devez spécifier le modèle, la carrosserie et le nom de la vue!"));
        return;
    }
    const QString name =
        composeVehicleName(model, body, view, axesOf(ViewType(viewType)), resolution_, sourcePath_);
    // The data go into the library first: a picture without its data is worse than data
    // kept for a picture that failed to copy, which nothing reads.
    if (!saveVehicleData(name, model, body, ViewType(viewType) != ViewType::FrontBack))
        return;
    const AfterCopy next = copyIntoLibrary(
        files_, dialogs_, sourcePath_, vehiclesFolder(libraryRoot_) + QLatin1Char('/') + name,
        QStringLiteral("Impossible de copier l'image dans la bibliothèque de véhicules.\n\n"
                       "Vérifiez que l'image d'origine existe toujours et que le sous-dossier "
                       "'vehicules' est accessible en écriture."),
        QStringLiteral("Souhaitez-vous ajouter un autre véhicule?"));
    if (next == AfterCopy::AddAnother)
        otherPicture();
    else if (next == AfterCopy::Finished)
        reject();
}

void VehicleImportDialog::clearTestAndViewType() {
    pick_.reset();
    dataBoxes_->setTexts({});
    dataBoxes_->setAxlesEnabled(true);
    resolutionLabel_->setText(kNoResolution);
    testButton_->setText(kStartTest);
    // An exclusive group keeps one button checked; lift that to clear them all.
    viewTypes_->setExclusive(false);
    for (QAbstractButton* option : viewTypes_->buttons())
        option->setChecked(false);
    viewTypes_->setExclusive(true);
}

void VehicleImportDialog::otherPicture() {
    clearTestAndViewType();
    clearNameTexts(nameLists_);
    start();
}

void VehicleImportDialog::done(int result) {
    QDialog::done(result);
    // The window may be opened again: nothing of this opening carries over.
    clearTestAndViewType();
    forgetNameLists(nameLists_);
    sourcePath_.clear();
    picture_ = QImage();
    resolution_ = 0;
    test_.reset();
    pictureView_->setSurfaceSize(QSize(1, 1));
}

} // namespace library::ui
