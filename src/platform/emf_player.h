#pragma once
// Plays an Enhanced Metafile through QPainter, so a pasted picture is drawn by the program's
// own code onto any surface: the screen, a printer, an image, an SVG file, another metafile.
//
// The player reads the records this program's recorder writes and the ones other programs
// commonly write: lines, polylines, polygons, Bezier curves, rectangles, rounded rectangles,
// ellipses, arcs, chords and pies, paths, text, pens, brushes, fonts, mapping modes and world
// transforms, saved device contexts, clip rectangles, regions and paths, pixels and bitmaps.
// Records it does not know (EMF+ comments among them) are passed over.
//
// A pasted picture comes from anywhere, so playing trusts nothing beyond what
// emf::ValidateMetafile established (every record and its counts lie inside the file): numbers
// that would make no sense on the target are refused record by record (a world transform that
// is not finite, an extent of zero), geometry is cut at a margin around the target before it
// reaches the painter, pens, fonts and bitmaps have bounded sizes, and a picture that takes
// longer than a few seconds to play is left unfinished.
#include <cstdint>
#include <span>

#include <QRectF>

#include "platform/metafile/emf_format.h"

class QPainter;

namespace quorlin::platform::emf {

// Plays the records of data, a metafile that passed ValidateMetafile with this header, so that
// its frame fills target on painter (in the painter's coordinates); nothing outside target is
// touched. False, with nothing drawn, when the picture has no extent to place or target is
// empty or beyond any surface.
bool PlayMetafile(std::span<const std::uint8_t> data, const Header& header, QPainter& painter,
                  const QRectF& target);

}  // namespace quorlin::platform::emf
