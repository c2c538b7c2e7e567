// Renders the technician's guide from Markdown to one HTML page at build time, and copies the pictures
// it shows beside it, so that the page opens in the program and in any browser as it is installed.
//
//   guide-html GUIDE.md OUT.html

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <cstdio>

namespace {

// The width in pixels the guide's pictures are shown at, at most.
constexpr int kPageWidth = 720;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: guide-html GUIDE.md OUT.html\n");
    return 64;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QFileInfo source(QString::fromLocal8Bit(argv[1]));
  const QFileInfo target(QString::fromLocal8Bit(argv[2]));
  QFile in(source.filePath());
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "guide-html: cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setMarkdown(QString::fromUtf8(in.readAll()));
  const QString title = document.firstBlock().text();
  document.setMetaInformation(QTextDocument::DocumentTitle, title);

  QDir().mkpath(target.absolutePath());
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      QTextImageFormat image = format.toImageFormat();
      const QString picture = image.name();
      const QString from = source.dir().filePath(picture);
      const QString to = target.dir().filePath(picture);
      QDir().mkpath(QFileInfo(to).absolutePath());
      QFile::remove(to);
      if (!QFile::copy(from, to)) {
        std::fprintf(stderr, "guide-html: %s shows %s, which is missing\n", argv[1], qPrintable(picture));
        return 1;
      }
      // A picture wider than a page of the guide is shown scaled down to it.
      const QImage shown(from);
      if (shown.width() > kPageWidth) {
        image.setWidth(kPageWidth);
        image.setHeight(static_cast<double>(shown.height()) * kPageWidth / shown.width());
        QTextCursor cursor(&document);
        cursor.setPosition(it.fragment().position());
        cursor.setPosition(it.fragment().position() + it.fragment().length(), QTextCursor::KeepAnchor);
        cursor.setCharFormat(image);
      }
    }
  }
  QFile out(target.filePath());
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(document.toHtml().toUtf8()) < 0) {
    std::fprintf(stderr, "guide-html: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
