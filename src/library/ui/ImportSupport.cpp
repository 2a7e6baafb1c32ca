#include "library/ui/ImportSupport.h"

#include "library/DialogLogic.h"
#include "library/ui/SurfaceView.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>

namespace library::ui {

QGroupBox* makeFrame(const QString& caption, int number, QWidget* parent) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QStringLiteral("Frame%1").arg(number));
    return frame;
}

QGroupBox* makePreviewFrame(QWidget* parent, QSize size, const QString& viewName,
                            SurfaceView*& view) {
    QGroupBox* frame = makeFrame(QStringLiteral("Aperçu"), 2, parent);
    frame->setFixedSize(size);
    view = new SurfaceView(frame);
    view->setObjectName(viewName);
    view->hide();
    return frame;
}

QScrollArea* makePictureArea(QWidget* parent, const QString& viewName, SurfaceView*& view) {
    auto* area = new QScrollArea(parent);
    area->setWidgetResizable(false);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view = new SurfaceView;
    view->setObjectName(viewName);
    view->setCursor(Qt::CrossCursor);
    area->setWidget(view);
    return area;
}

TypedCharacterFilter::TypedCharacterFilter(std::function<bool(QChar)> refuse, QObject* parent)
    : QObject(parent), refuse_(std::move(refuse)) {}

bool TypedCharacterFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).isPrint() && refuse_(text.at(0)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

QValidator::State NameValidator::validate(QString& input, int& position) const {
    QString kept;
    kept.reserve(input.size());
    int keptPosition = position;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isForbiddenNameCharacter(input.at(i)))
            kept += input.at(i);
        else if (i < position)
            --keptPosition;
    }
    input = kept;
    position = keptPosition;
    return Acceptable;
}

void acceptDigitsOnly(QLineEdit* box) {
    box->installEventFilter(new TypedCharacterFilter(
        [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); }, box));
}

QComboBox* makeNameList(const QString& objectName, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->lineEdit()->setValidator(new NameValidator(list));
    return list;
}

void fillNameLists(NameLists lists, const QStringList& fileNames) {
    for (size_t i = 0; i < lists.size(); ++i) {
        lists[i]->clear();
        lists[i]->addItems(distinctFields(fileNames, int(i)));
        lists[i]->setCurrentIndex(-1);
        lists[i]->setEditText(QString());
    }
}

void cleanNameTexts(NameLists lists) {
    for (QComboBox* list : lists)
        list->setEditText(cleanName(list->currentText()));
}

void clearNameTexts(NameLists lists) {
    for (QComboBox* list : lists)
        list->setEditText(QString());
}

void forgetNameLists(NameLists lists) {
    for (QComboBox* list : lists) {
        list->clear();
        list->clearEditText();
    }
}

void addImportButtons(QBoxLayout* layout, QWidget* parent, const QString& prefix,
                      const ImportActions& actions) {
    const QString captions[] = {QStringLiteral("Ajouter à la bibliothèque"),
                                QStringLiteral("Autre image"), QStringLiteral("Fermer")};
    const std::function<void()>* handlers[] = {&actions.add, &actions.otherPicture, &actions.close};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(captions[i], parent);
        button->setObjectName(prefix + QStringLiteral("_%1").arg(i));
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, parent, *handlers[i]);
        layout->addWidget(button);
    }
}

} // namespace library::ui
