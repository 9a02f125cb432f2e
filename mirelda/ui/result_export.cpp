#include "mirelda/ui/result_export.h"

#include <QPainter>
#include <QSvgGenerator>
#include <fstream>

#include "mirelda/ui/frm_contact.h"

using namespace mirelda::results;

namespace mirelda::ui {
namespace {

QSize MatrixSize(const ContactDrawing& drawing) {
  const int size = std::max(drawing.CellSize(), 1);
  return QSize(std::max(drawing.Cols() * size, 1), std::max(drawing.Rows() * size, 1));
}

}  // namespace

std::string DrawSvg(const std::filesystem::path& path, QSize size, const QString& title,
                    const std::function<void(QPainter&)>& draw) {
  QSvgGenerator svg;
  svg.setFileName(QString::fromStdString(path.string()));
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(title);
  QPainter painter;
  if (!painter.begin(&svg)) return "cannot write " + path.string();
  draw(painter);
  painter.end();
  return "";
}

bool IsSvg(const std::filesystem::path& path) {
  return QString::fromStdString(path.extension().string()).compare(".svg", Qt::CaseInsensitive) == 0;
}

std::string WriteExportText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  if (!out) return "cannot write " + path.string();
  out << text;
  out.close();
  return out ? "" : "cannot write " + path.string();
}

QImage ContactMatrixImage(const ContactDrawing& drawing, const ContactAxisMarks& marks) {
  QImage picture(MatrixSize(drawing), QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  PaintContactCells(painter, drawing, picture.rect());
  PaintContactAxes(painter, drawing, marks);
  return picture;
}

std::string WriteContactMatrix(const ContactDrawing& drawing, const std::filesystem::path& path,
                               const ContactAxisMarks& marks) {
  if (drawing.Rows() == 0) return "there is no contact matrix to export";
  if (!IsSvg(path)) return WritePicture(ContactMatrixImage(drawing, marks), path);
  const QRect whole(QPoint(0, 0), MatrixSize(drawing));
  if (std::string failure = DrawSvg(path, whole.size(), "Contact matrix",
                                    [&](QPainter& painter) {
                                      painter.fillRect(whole, Qt::white);
                                      PaintContactCells(painter, drawing, whole);
                                      PaintContactAxes(painter, drawing, marks);
                                    });
      !failure.empty())
    return failure;
  return std::filesystem::exists(path) ? "" : "cannot write " + path.string();
}

std::string WritePicture(const QImage& picture, const std::filesystem::path& path) {
  if (picture.isNull()) return "there is no picture to export";
  const QString name = QString::fromStdString(path.string());
  const QByteArray format = QString::fromStdString(path.extension().string()).mid(1).toLower().toLatin1();
  const bool saved = picture.save(name, format.isEmpty() ? "PNG" : format.constData());
  return saved ? "" : "cannot write " + path.string();
}

}  // namespace mirelda::ui
