#include "batch/BatchCommand.h"

#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <iomanip>
#include <iostream>
#include <optional>
#include <sstream>

#include "document/PictureFiles.h"
#include "document/io/BmpWriter.h"
#include "document/io/SafeFile.h"
#include "engine/BlendModes.h"
#include "engine/PixelEngine.h"
#include "engine/Random.h"
#include "filters/kernels/ColourKernels.h"
#include "filters/kernels/Geometry.h"
#include "filters/registry/FilterRegistry.h"
#include "filters/registry/FilterRun.h"

namespace rv {

namespace {

constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

struct UsageError {
  std::string message;
};

const char* const kHelp =
    "Usage:\n"
    "  rastrovia-batch --list [--json]\n"
    "  rastrovia-batch INPUT OUTPUT [--filter STEM] [options]\n"
    "  rastrovia-batch --help-pages DIR --sample PICTURE [--overlay PICTURE]\n"
    "\n"
    "Reads INPUT (BMP, JPEG, GIF, ICO, PNG, WebP, TIFF, WMF, EMF; photographs turned\n"
    "upright by their EXIF orientation), runs one of the editor's filters over the\n"
    "whole picture as the dialog's OK does, or one of its mirror, turn and resize\n"
    "commands, and writes OUTPUT by its extension (any letter case):\n"
    ".bmp, .gif, .ico, .png, .jpg or .jpeg, .webp, .tif or .tiff, .emf, .wmf. A .jpg\n"
    "or .png keeps INPUT's EXIF (orientation 1, the new size, no thumbnail), ICC\n"
    "profile and XMP. Without --filter it only converts INPUT.\n"
    "\n"
    "Options:\n"
    "  --filter STEM          the filter's kernel stem (Contrast runs ApplyContrast),\n"
    "                         or FlipHorizontal, FlipVertical, RotateRight, RotateLeft,\n"
    "                         RotateFull, Resize (--set Width=N --set Height=N; one of\n"
    "                         them alone keeps the proportions unless Prop=0);\n"
    "                         --list shows them with their controls. Controls the menu\n"
    "                         command sets from the picture (a gradient's centre) start\n"
    "                         there; the alignments (Width, Height) crop their ragged\n"
    "                         border while AutoFram is 1\n"
    "  --set NAME=VALUE       a control of the filter's dialog, by its name (CanalR=200).\n"
    "                         Check boxes take 0 or 1; NAME=1 on a radio button selects\n"
    "                         it. Linked bars move together while their link box\n"
    "                         (Scal, ScalTolerant) is 1, as in the dialog: give Scal=0\n"
    "                         first to set them one by one. Applied in the given order.\n"
    "  --tryb MODE            blend mode, 0..25 or its Polish name (default Zwykły)\n"
    "  --typebox MODE         effect mode (\"Rodzaj:\"), 0..25 or its name (default Zwykły)\n"
    "  --przezroczystosc T    transparency 0..100 (default 100, the full effect)\n"
    "  --channel CH           all, red, green or blue (default all)\n"
    "  --mask FILE            greyscale picture of INPUT's size; grey v selects a pixel\n"
    "                         to v * 100 / 255 percent (default: everything selected)\n"
    "  --primary RRGGBB       primary tool colour (default 000000)\n"
    "  --secondary RRGGBB     secondary tool colour (default FFFFFF)\n"
    "  --overlay FILE         the picture laid over INPUT by Imposition (at OsieX, OsieY;\n"
    "                         AutoDopasowanie=1 stretches it to INPUT's size) or the\n"
    "                         texture of Texture (always stretched to INPUT's size)\n"
    "  --seed N               start the pseudo-random generator at N (default: the time)\n"
    "  --quality Q            JPEG or WebP quality 0..100 (default 100; a WebP at 100\n"
    "                         is lossless)\n"
    "  --depth BITS           bits per pixel of a .bmp: 8 (a palette of at most 256\n"
    "                         colours from the picture), 16 (5 bits per channel), 24\n"
    "                         (default) or 32. A .gif always holds 8 (at most 256\n"
    "                         colours, reduced as for 8 bits) and an .ico 32 (at most\n"
    "                         256 x 256 pixels): only those values are accepted there\n"
    "\n"
    "--help-pages writes DIR/filtry.html and, in DIR/filtry, a page for every filter\n"
    "with its menu place, controls and a small before/after picture of PICTURE made by\n"
    "this command (the overlay filters lay the --overlay picture over it).\n"
    "\n"
    "Exit status: 0 done; 1 INPUT unreadable or OUTPUT not written; 2 bad usage.\n"
    "OUTPUT is written to a temporary file first and never left half written.\n";

std::optional<long long> ParseInt(const std::string& s) {
  long long v = 0;
  const char* b = s.data();
  const char* e = s.data() + s.size();
  auto [p, ec] = std::from_chars(b, e, v);
  if (ec != std::errc() || p != e || s.empty()) return std::nullopt;
  return v;
}

int ParseRanged(const std::string& what, const std::string& text, int min, int max) {
  const auto v = ParseInt(text);
  if (!v) throw UsageError{what + ": '" + text + "' is not a whole number"};
  if (*v < min || *v > max)
    throw UsageError{what + ": " + text + " is outside " + std::to_string(min) + ".." + std::to_string(max)};
  return static_cast<int>(*v);
}

PackedColor ParseColor(const std::string& what, std::string text) {
  if (!text.empty() && text[0] == '#') text.erase(0, 1);
  unsigned v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 16);
  if (text.size() != 6 || ec != std::errc() || p != text.data() + text.size())
    throw UsageError{what + ": '" + text + "' is not a colour RRGGBB"};
  return MakePacked(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                    static_cast<int>(v & 0xFF));
}

std::string JsonString(const std::string& s) {
  std::string o = "\"";
  for (char c : s) {
    switch (c) {
      case '"': o += "\\\""; break;
      case '\\': o += "\\\\"; break;
      case '\n': o += "\\n"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          o += buf;
        } else {
          o += c;
        }
    }
  }
  return o + "\"";
}

const char* KindName(ControlKind k) {
  switch (k) {
    case ControlKind::TrackBar: return "trackbar";
    case ControlKind::CheckBox: return "checkbox";
    case ControlKind::RadioButton: return "radio";
    case ControlKind::LinkBox: return "link";
  }
  return "";
}

}  // namespace

namespace {

void ListControlJson(std::ostream& out, const ControlDecl& c, const char* dialog, bool first) {
  out << (first ? "\n" : ",\n") << "     {\"name\": " << JsonString(c.Name)
      << ", \"kind\": " << JsonString(KindName(c.Kind)) << ", \"caption\": " << JsonString(c.Caption)
      << ", \"min\": " << c.Min << ", \"max\": " << c.Max << ", \"default\": " << c.Default;
  if (*c.Group) out << ", \"group\": " << JsonString(c.Group);
  if (dialog) out << ", \"dialog\": " << JsonString(dialog);
  out << "}";
}

void ListControlText(std::ostream& out, const ControlDecl& c, const char* dialog) {
  out << "    " << std::left << std::setw(14) << c.Name << std::right << (std::strlen(c.Name) >= 14 ? " " : "");
  switch (c.Kind) {
    case ControlKind::TrackBar:
      out << c.Min << ".." << c.Max << ", default " << c.Default;
      if (*c.Group) out << ", linked by " << c.Group;
      break;
    case ControlKind::CheckBox: out << "check box 0/1, default " << c.Default; break;
    case ControlKind::RadioButton:
      out << "radio button of " << c.Group << (c.Default ? ", chosen by default" : "");
      break;
    case ControlKind::LinkBox: out << "link box 0/1, default " << c.Default; break;
  }
  out << "  \"" << c.Caption << "\"";
  if (dialog) out << " (" << dialog << ")";
  out << "\n";
}

void ListFilters(std::ostream& out, bool json) {
  if (json) {
    out << "[\n";
    bool firstFilter = true;
    for (const FilterDecl* f : AllFilters()) {
      out << (firstFilter ? "" : ",\n") << "  {\"stem\": " << JsonString(f->Stem)
          << ", \"dialog\": " << JsonString(f->DialogClass) << ", \"menu\": " << JsonString(f->MenuCaption)
          << ", \"caption\": " << JsonString(f->DialogCaption) << ", \"history\": " << JsonString(f->HistoryLabel)
          << ", \"previewHalfSize\": " << f->PreviewHalfSize << ", \"tryb\": " << (f->HasTryb ? "true" : "false")
          << ", \"typebox\": " << (f->HasTypeBox ? "true" : "false")
          << ", \"transparency\": " << (f->HasTransparency ? "true" : "false")
          << ", \"overlay\": " << (f->NeedsOverlay() ? "true" : "false")
          << ", \"summary\": " << JsonString(f->Summary) << ",\n   \"controls\": [";
      bool firstControl = true;
      for (const ControlDecl& c : f->Controls) {
        ListControlJson(out, c, nullptr, firstControl);
        firstControl = false;
      }
      for (const ControlDecl& c : f->OpeningControls) {
        ListControlJson(out, c, f->OpeningWindow, firstControl);
        firstControl = false;
      }
      out << (firstControl ? "]}" : "\n   ]}");
      firstFilter = false;
    }
    for (const GeometryCommand& g : GeometryCommands()) {
      out << ",\n  {\"stem\": " << JsonString(g.Stem) << ", \"geometry\": true, \"menu\": " << JsonString(g.MenuCaption)
          << ", \"history\": " << JsonString(g.HistoryLabel) << ", \"summary\": " << JsonString(g.Summary)
          << ",\n   \"controls\": [";
      bool firstControl = true;
      for (const ControlDecl& c : g.Controls) {
        ListControlJson(out, c, g.Dialog, firstControl);
        firstControl = false;
      }
      out << (firstControl ? "]}" : "\n   ]}");
    }
    out << "\n]\n";
    return;
  }
  for (const FilterDecl* f : AllFilters()) {
    out << f->Stem << "  \"" << f->MenuCaption << "\"  (" << f->DialogClass << ", history \"" << f->HistoryLabel
        << "\")\n    " << f->Summary << "\n";
    std::vector<std::string> common;
    if (f->HasTryb) common.push_back("--tryb");
    if (f->HasTypeBox) common.push_back("--typebox");
    if (f->HasTransparency) common.push_back("--przezroczystosc");
    if (f->NeedsOverlay()) common.push_back("--overlay (required)");
    out << "    common:";
    for (const auto& c : common) out << " " << c;
    out << "\n";
    for (const ControlDecl& c : f->Controls) ListControlText(out, c, nullptr);
    for (const ControlDecl& c : f->OpeningControls) ListControlText(out, c, f->OpeningWindow);
  }
  for (const GeometryCommand& g : GeometryCommands()) {
    out << g.Stem << "  \"" << g.MenuCaption << "\"  (geometry, history \"" << g.HistoryLabel << "\")\n    "
        << g.Summary << "\n";
    for (const ControlDecl& c : g.Controls) ListControlText(out, c, g.Dialog);
  }
}

// A bar on the terminal for pictures that take a moment.
class TerminalProgress : public CProgress {
 public:
  explicit TerminalProgress(std::ostream& err) : err_(err) {}
  void SetMaximum(int maximum) override { max_ = maximum; }
  void SetPosition(int position) override {
    pos_ = position;
    if (max_ <= 0 || (position == 0 && shown_ >= 0)) return;  // the reset after the run
    const int percent = static_cast<int>(static_cast<long long>(pos_) * 100 / max_);
    if (percent == shown_) return;
    shown_ = percent;
    const int filled = percent / 2;
    err_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(50 - filled), ' ') << "] " << std::setw(3) << percent << "%"
         << std::flush;
  }
  int Position() const override { return pos_; }
  void Finish() {
    if (shown_ >= 0) err_ << "\r" << std::string(60, ' ') << "\r" << std::flush;
  }

 private:
  std::ostream& err_;
  int max_ = 0;
  int pos_ = 0;
  int shown_ = -1;
};

struct Options {
  std::string input, output, filter, mask, overlay;
  std::vector<std::pair<std::string, std::string>> sets;
  std::optional<int> tryb, typebox;
  int transparency = 100;
  int channel = kChannelAll;
  PackedColor primary = MakePacked(0, 0, 0);
  PackedColor secondary = MakePacked(255, 255, 255);
  std::optional<std::uint32_t> seed;
  int quality = 100;
  bool qualityGiven = false;
  bool transparencyGiven = false;
  bool channelGiven = false;
  int depth = 0;  // 0: not given
};

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      return args[++i];
    };
    if (a == "--filter") {
      o.filter = value();
    } else if (a == "--set") {
      const std::string& s = value();
      const auto eq = s.find('=');
      if (eq == std::string::npos || eq == 0) throw UsageError{"--set wants NAME=VALUE, not '" + s + "'"};
      o.sets.emplace_back(s.substr(0, eq), s.substr(eq + 1));
    } else if (a == "--tryb" || a == "--typebox") {
      const std::string& m = value();
      const int n = FindBlendMode(m.c_str());
      if (n < 0) throw UsageError{a + ": unknown mode '" + m + "' (0..25 or a name from the list)"};
      (a == "--tryb" ? o.tryb : o.typebox) = n;
    } else if (a == "--przezroczystosc") {
      o.transparency = ParseRanged("--przezroczystosc", value(), 0, 100);
      o.transparencyGiven = true;
    } else if (a == "--channel") {
      const std::string& c = value();
      if (c == "all") o.channel = kChannelAll;
      else if (c == "red") o.channel = kChannelRed;
      else if (c == "green") o.channel = kChannelGreen;
      else if (c == "blue") o.channel = kChannelBlue;
      else throw UsageError{"--channel: '" + c + "' is not one of all, red, green, blue"};
      o.channelGiven = true;
    } else if (a == "--mask") {
      o.mask = value();
    } else if (a == "--overlay") {
      o.overlay = value();
    } else if (a == "--primary") {
      o.primary = ParseColor("--primary", value());
    } else if (a == "--secondary") {
      o.secondary = ParseColor("--secondary", value());
    } else if (a == "--seed") {
      const std::string& s = value();
      const auto v = ParseInt(s);
      if (!v || *v < 0 || *v > 0xFFFFFFFFll) throw UsageError{"--seed: '" + s + "' is not 0..4294967295"};
      o.seed = static_cast<std::uint32_t>(*v);
    } else if (a == "--quality") {
      o.quality = ParseRanged("--quality", value(), 0, 100);
      o.qualityGiven = true;
    } else if (a == "--depth") {
      o.depth = ParseRanged("--depth", value(), 8, 32);
      if (!IsBmpDepth(o.depth)) throw UsageError{"--depth: " + std::to_string(o.depth) + " is not 8, 16, 24 or 32"};
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError{"unknown option " + a + " (see --help)"};
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) throw UsageError{"expected INPUT and OUTPUT (see --help)"};
  o.input = positional[0];
  o.output = positional[1];
  return o;
}

SelectionMask LoadMask(const std::string& path, int width, int height) {
  const Bitmap grey = LoadPictureFile(path);
  if (grey.Width() != width || grey.Height() != height)
    throw UsageError{"--mask: " + path + " is " + std::to_string(grey.Width()) + " x " +
                     std::to_string(grey.Height()) + ", the picture " + std::to_string(width) + " x " +
                     std::to_string(height)};
  SelectionMask mask(width, height);
  for (int y = 0; y < height; ++y) {
    const Pixel* p = grey.Row(y);
    std::uint8_t* m = mask.Row(y);
    // The grey level of a grey picture: any channel; take the mean of a coloured one.
    for (int x = 0; x < width; ++x)
      m[x] = static_cast<std::uint8_t>((PixelRed(p[x]) + PixelGreen(p[x]) + PixelBlue(p[x])) / 3 * 100 / 255);
  }
  return mask;
}

int SetValue(const std::string& name, const std::string& text) {
  const auto v = ParseInt(text);
  if (!v || *v < INT32_MIN || *v > INT32_MAX) throw UsageError{name + ": '" + text + "' is not a whole number"};
  return static_cast<int>(*v);
}

// A geometry command's values, checked against its controls.
CommandValues GeometryValues(const GeometryCommand& g, const Options& o) {
  if (g.Controls.empty() && !o.sets.empty()) throw UsageError{o.filter + " has no controls (--set)"};
  CommandValues given;
  for (const auto& [name, text] : o.sets) {
    bool known = false;
    std::string names;
    for (const ControlDecl& c : g.Controls) {
      known |= name == c.Name;
      names += (names.empty() ? "" : ", ") + std::string(c.Name);
    }
    if (!known) throw UsageError{"unknown control '" + name + "' of " + g.Stem + " (" + names + ")"};
    given.emplace_back(name, SetValue(name, text));
  }
  return given;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    (args.empty() ? err : out) << kHelp;
    return args.empty() ? kExitUsage : 0;
  }
  if (args[0] == "--help-pages") return RunHelpPages(args, out, err);
  if (args[0] == "--list") {
    if (args.size() > 2 || (args.size() == 2 && args[1] != "--json"))
      throw UsageError{"--list takes only --json"};
    ListFilters(out, args.size() == 2);
    return 0;
  }

  const Options o = ParseOptions(args);
  if (!IsWritableExtension(LowerExtension(o.output)))
    throw UsageError{o.output + ": unknown output format (use .bmp, .gif, .ico, .png, .jpg, .webp, .tif, .emf or .wmf)"};
  const std::string outExt = LowerExtension(o.output);
  if (o.depth && outExt != ".bmp") {
    if (outExt == ".gif" && o.depth != 8) throw UsageError{"--depth: a GIF holds 8 bits per pixel"};
    if (outExt == ".ico" && o.depth != 32) throw UsageError{"--depth: an icon is written at 32 bits per pixel"};
    if (outExt != ".gif" && outExt != ".ico") throw UsageError{"--depth applies to .bmp, .gif and .ico output"};
  }

  const FilterDecl* decl = nullptr;
  const GeometryCommand* geometry = nullptr;
  std::optional<FilterSettings> settings;
  if (!o.filter.empty() && (geometry = FindGeometryCommand(o.filter.c_str()))) {
    // They move whole pixels: no modes, selection, transparency or channel.
    if (o.tryb || o.typebox || !o.mask.empty() || o.transparencyGiven || o.channelGiven || !o.overlay.empty())
      throw UsageError{o.filter + " takes no --tryb, --typebox, --mask, --przezroczystosc, --channel or --overlay"};
    (void)GeometryValues(*geometry, o);
  } else if (!o.filter.empty()) {
    decl = FindFilter(o.filter);
    if (!decl) throw UsageError{"unknown filter '" + o.filter + "' (see --list)"};
    if (decl->NeedsOverlay() && o.overlay.empty())
      throw UsageError{decl->Stem + std::string(" needs the picture to lay over it (--overlay FILE)")};
    if (!decl->NeedsOverlay() && !o.overlay.empty()) {
      std::string overlays;
      for (const FilterDecl* f : AllFilters())
        if (f->NeedsOverlay()) overlays += (overlays.empty() ? "" : " and ") + std::string(f->Stem);
      throw UsageError{"--overlay is for " + overlays + ", not " + std::string(decl->Stem)};
    }
    settings.emplace(*decl);
    if (o.tryb && !decl->HasTryb) throw UsageError{decl->Stem + std::string(" has no blend mode (--tryb)")};
    if (o.typebox && !decl->HasTypeBox)
      throw UsageError{decl->Stem + std::string(" has no effect mode (--typebox)")};
  } else if (!o.sets.empty() || o.tryb || o.typebox || !o.mask.empty() || !o.overlay.empty()) {
    throw UsageError{"--set, --tryb, --typebox, --mask and --overlay need --filter"};
  }

  Bitmap picture;
  PictureMetadata metadata;
  try {
    picture = LoadPictureFile(o.input, &metadata);
  } catch (const std::exception& e) {
    err << "rastrovia-batch: cannot read " << o.input << ": " << e.what() << "\n";
    return kExitFile;
  }

  if (geometry) {
    try {
      picture = geometry->Run ? geometry->Run(picture, GeometryValues(*geometry, o)) : geometry->Apply(picture);
    } catch (const std::invalid_argument& e) {
      throw UsageError{e.what()};
    }
  } else if (decl) {
    // The controls of the window the command shows first (the overlay's
    // stretch) come before the overlay is loaded; the dialog's own controls
    // after the command has set their ranges from the picture and the overlay.
    auto apply = [&](bool opening) {
      for (const auto& [name, text] : o.sets) {
        if (!decl->Find(name)) throw UsageError{"unknown control '" + name + "' of " + decl->Stem + " (see --list)"};
        bool ofOpening = false;
        for (const ControlDecl& c : decl->OpeningControls) ofOpening |= name == c.Name;
        if (ofOpening != opening) continue;
        const std::string problem = settings->Set(name, SetValue(name, text));
        if (!problem.empty()) throw UsageError{problem};
      }
    };
    apply(true);
    Bitmap overlay;
    if (decl->NeedsOverlay()) {
      try {
        overlay = LayOverlay(*settings, LoadPictureFile(o.overlay), picture.Width(), picture.Height());
      } catch (const std::exception& e) {
        err << "rastrovia-batch: cannot read the overlay " << o.overlay << ": " << e.what() << "\n";
        return kExitFile;
      }
    }
    PrepareOpening(*settings, picture.Width(), picture.Height(), overlay.Empty() ? nullptr : &overlay);
    apply(false);
    SelectionMask mask;
    if (!o.mask.empty()) {
      try {
        mask = LoadMask(o.mask, picture.Width(), picture.Height());
      } catch (const PictureError& e) {
        err << "rastrovia-batch: cannot read the mask " << o.mask << ": " << e.what() << "\n";
        return kExitFile;
      }
    } else {
      mask = SelectionMask(picture.Width(), picture.Height(), 100);
    }
    SeedRandom(o.seed ? *o.seed : static_cast<std::uint32_t>(std::time(nullptr)));

    TerminalProgress bar(err);
    const bool showBar = isatty(STDERR_FILENO) && static_cast<long long>(picture.Width()) * picture.Height() >= 4000000;
    FilterOperation op(*settings);
    op.Tryb = o.tryb.value_or(0);
    op.TypeBox = o.typebox.value_or(0);
    op.Transparency = o.transparency;
    op.ActiveChannel = o.channel;
    FilterInputs in;
    in.PrimaryColor = o.primary;
    in.SecondaryColor = o.secondary;
    in.Progress = showBar ? &bar : nullptr;
    if (!overlay.Empty()) {
      in.Overlay = &overlay;
      in.OverlayMean = MeasureTextureMean(overlay);
    }
    Bitmap result = picture;
    CPixelEngine engine;
    RunFilter(engine, op, in, picture, result, mask);
    bar.Finish();
    std::optional<Bitmap> finished = FinishFilter(op, result);
    picture = finished ? std::move(*finished) : std::move(result);
  }

  try {
    WriteOptions write;
    write.Quality = o.quality;
    write.BmpDepth = o.depth ? o.depth : 24;
    write.Metadata = &metadata;
    WritePictureFile(picture, o.output, write);
  } catch (const std::exception& e) {
    err << "rastrovia-batch: cannot write " << o.output << ": " << e.what() << "\n";
    return kExitFile;
  }
  return 0;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    return Run(args, out, err);
  } catch (const UsageError& e) {
    err << "rastrovia-batch: " << e.message << "\n";
    return kExitUsage;
  } catch (const std::bad_alloc&) {
    err << "rastrovia-batch: not enough memory for this picture\n";
    return kExitFile;
  }
}

}  // namespace rv
