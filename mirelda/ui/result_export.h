// The files of File > Export beside the tables and the contact matrix window: delimited text written as
// it is, and the contact matrix drawn whole as a PNG picture or an SVG drawing.
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>

#include "mirelda/results/contact_matrix.h"

namespace mirelda::ui {

// Writes the text as the file's whole content; "" on success, otherwise what went wrong.
std::string WriteExportText(const std::filesystem::path& path, const std::string& text);

// The whole matrix at its cell size (at least one pixel a cell), on white, with the marks of its axes.
QImage ContactMatrixImage(const results::ContactDrawing& drawing, const results::ContactAxisMarks& marks = {});
// Saves the picture as PNG, or the matrix as an SVG drawing when the name ends in ".svg"; "" on success.
std::string WriteContactMatrix(const results::ContactDrawing& drawing, const std::filesystem::path& path,
                               const results::ContactAxisMarks& marks = {});

// Draws an SVG file of the given size and title with `draw`; "" on success, otherwise what went wrong.
std::string DrawSvg(const std::filesystem::path& path, QSize size, const QString& title,
                    const std::function<void(QPainter&)>& draw);

// Whether the name ends in ".svg", in any case: the drawing is then saved as SVG.
bool IsSvg(const std::filesystem::path& path);

// Saves a picture in the format its name ends in (PNG by default); "" on success.
std::string WritePicture(const QImage& picture, const std::filesystem::path& path);

}  // namespace mirelda::ui
