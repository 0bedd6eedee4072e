// Makes the program's icons from its own pieces: the wolf and a hunter on a corner of the
// board, at 64, 128 and 256 pixels, as PNG files with a transparent surround; the same picture
// as a scalable SVG drawing; a one-colour outline of it for panels that recolour their icons
// (vorlask-symbolic.svg); the Windows program's icon (vorlask.ico), which holds the picture
// drawn afresh at each size Windows shows, from 16 to 256 pixels. The web page's home-screen
// icons are the same picture at 192 and 512 pixels, and once more on a full square of the
// window's olive for launchers that cut icons to their own shape (vorlask-web-maskable.png).
// The Windows installer's pages show a stretch of the board with the pieces on it: a tall
// picture beside the welcome and finish pages (vorlask-installer-welcome.bmp) and a small one
// in the other pages' header (vorlask-installer-header.bmp).
//
// Like the bitmaps, the icons are made by hand and committed:
//   build/make_icons data/icons
// writes vorlask-64.png, vorlask-128.png, vorlask-256.png, vorlask.svg, vorlask-symbolic.svg,
// vorlask-web-192.png, vorlask-web-512.png, vorlask-web-maskable.png, vorlask.ico and the
// installer's two bitmaps there,
// holding nothing but the picture (no date, path or tool name): the same bytes each time.
#include <cstdio>
#include <string>

#include "tools/icon_files.h"
#include "tools/icon_picture.h"
#include "tools/icon_svg.h"
#include "tools/icon_wizard.h"
#include "tools/output_folder.h"

using namespace vorlask::icons;

namespace {

bool Write(const std::string& path, const Bytes& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (f != nullptr && std::fclose(f) != 0) ok = false;
  if (!ok) std::fprintf(stderr, "make_icons: cannot write %s\n", path.c_str());
  return ok;
}

Bytes BytesOf(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (!vorlask::tools::OutputFolder(argc, argv, "make_icons", folder)) return 2;
  for (int size : {64, 128, 256}) {
    const Bytes png = Png(Draw(size));
    if (png.empty() || !Write(folder + "/vorlask-" + std::to_string(size) + ".png", png)) return 1;
  }
  // Named apart from the sizes above, which the desktop's icon theme installs by their number.
  for (int size : {192, 512}) {
    const Bytes png = Png(Draw(size));
    if (png.empty() || !Write(folder + "/vorlask-web-" + std::to_string(size) + ".png", png))
      return 1;
  }
  const Bytes maskable = Png(DrawOnSquare(512));
  if (maskable.empty() || !Write(folder + "/vorlask-web-maskable.png", maskable)) return 1;
  if (!Write(folder + "/vorlask.svg", BytesOf(Svg()))) return 1;
  if (!Write(folder + "/vorlask-symbolic.svg", BytesOf(SymbolicSvg()))) return 1;
  const Bytes ico = Ico();
  if (ico.empty() || !Write(folder + "/vorlask.ico", ico)) return 1;
  if (!Write(folder + "/vorlask-installer-welcome.bmp", WelcomeBitmap())) return 1;
  if (!Write(folder + "/vorlask-installer-header.bmp", HeaderBitmap())) return 1;
  return 0;
}
