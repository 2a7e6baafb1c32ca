// Renders the program's SVG icon to square PNGs for the icon theme:
// render_icons ICON.svg OUTPUT_FOLDER SIZE... writes OUTPUT_FOLDER/SIZExSIZE/kestrion.png.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc < 4) {
        err << "usage: render_icons ICON.svg OUTPUT_FOLDER SIZE...\n";
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        err << "cannot read " << argv[1] << '\n';
        return 1;
    }
    const QString output = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size < 1) {
            err << "not a size: " << argv[i] << '\n';
            return 2;
        }
        QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        svg.render(&painter);
        painter.end();
        const QString folder = output + QStringLiteral("/%1x%1").arg(size);
        if (!QDir().mkpath(folder) || !picture.save(folder + QStringLiteral("/kestrion.png"))) {
            err << "cannot write the " << size << " pixel icon\n";
            return 1;
        }
    }
    return 0;
}
