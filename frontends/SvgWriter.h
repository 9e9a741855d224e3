// Pictures of the graph windows as SVG files: the client area at 15 twips to a pixel,
// user coordinates mapped to it, palette colours, fonts at their point size.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/FileWrite.h"
#include "ui/Toolkit.h"

namespace kavrel {

// The SVG document of a window's current picture.
std::string SvgPicture(const DisplayWindow& window);

// Text as XML (and HTML) character data: markup characters escaped, control characters as
// blanks, bytes that are not UTF-8 as "?".
std::string XmlText(std::string_view text);

// The file name of a graph window's picture in the working folder
// (KAVREL_COEFFICIENTS.svg, KAVREL_FORM_FACTOR_RAW.svg, KAVREL_FORM_FACTOR_SMOOTHED.svg,
// KAVREL_SHIP.svg for the full-scale prediction);
// empty for the text window.
std::string SvgFileName(WindowId id);

// The name of the preview a front end keeps up to date during the dialogue, beside the final
// picture: KAVREL_COEFFICIENTS.preview.svg and so on; empty for the text window.
std::string SvgPreviewFileName(WindowId id);

// Writes the picture to a temporary file in the same folder and renames it into place.
// Returns why the write failed, an earlier file then as it was; nothing when it succeeded.
[[nodiscard]] std::optional<std::string> WriteSvgFile(const DisplayWindow& window,
                                                      const Folder& folder, const std::string& name,
                                                      Durability durability = Durability::Durable);

}  // namespace kavrel
