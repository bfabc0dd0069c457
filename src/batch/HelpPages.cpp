// The help pages of the filters, written from their registry declarations.
// The "after" pictures are made by the batch command itself, from a small
// copy of one sample photograph.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/BatchCommand.h"
#include "document/PictureFiles.h"
#include "document/io/SafeFile.h"

namespace rv {

namespace {

namespace fs = std::filesystem;

constexpr int kPictureWidth = 160;
constexpr const char* kQuality = "85";
constexpr const char* kSeed = "1";

std::string Html(const std::string& s) {
  std::string o;
  for (char c : s) {
    switch (c) {
      case '<': o += "&lt;"; break;
      case '>': o += "&gt;"; break;
      case '&': o += "&amp;"; break;
      case '"': o += "&quot;"; break;
      default: o += c;
    }
  }
  return o;
}

// "Kontrast..." -> "Kontrast"
std::string Title(const char* menuCaption) {
  std::string t = menuCaption;
  while (!t.empty() && t.back() == '.') t.pop_back();
  return t;
}

const char* const kNav =
    "<nav><a href=\"%sindex.html\">Strona główna</a> · <a href=\"%so-projekcie.html\">O programie</a> · "
    "<a href=\"%sopis-palet.html\">Palety</a> · <a href=\"%sopis-narzedzi.html\">Narzędzia</a> · "
    "<a href=\"%so-trybach.html\">Tryby</a> · <a href=\"%sfiltry.html\">Filtry</a> · "
    "<a href=\"%stutoriale.html\">Tutoriale</a></nav>\n";

std::string Nav(const std::string& up) {
  std::string o;
  for (const char* p = kNav; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      o += up;
      ++p;
    } else {
      o += *p;
    }
  }
  return o;
}

std::string Head(const std::string& title, const std::string& up) {
  return "<!DOCTYPE html>\n<html lang=\"pl\">\n<head>\n<meta charset=\"utf-8\">\n<title>Rastrovia 2.0 – " +
         Html(title) + "</title>\n<link rel=\"stylesheet\" href=\"" + up + "styl.css\">\n</head>\n<body>\n" + Nav(up);
}

// What the opening command does to a control, found by opening on two sizes.
std::string SetByCommand(const FilterDecl& decl, const ControlDecl& c) {
  if (!decl.Prepare || c.Kind != ControlKind::TrackBar) return "";
  FilterSettings a(decl), b(decl);
  decl.Prepare(a, 1000, 800);
  decl.Prepare(b, 600, 500);
  const bool range = a.Min(c.Name) != b.Min(c.Name) || a.Max(c.Name) != b.Max(c.Name);
  const bool position = a.Get(c.Name) != b.Get(c.Name);
  if (range && position) return "zakres i położenie ustawia polecenie z rozmiaru obrazu";
  if (range) return "zakres ustawia polecenie z rozmiaru obrazu";
  if (position) return "położenie ustawia polecenie z rozmiaru obrazu";
  return "";
}

void ControlRow(std::ostream& o, const FilterDecl& decl, const ControlDecl& c, const char* dialog) {
  o << "<tr><td><code>" << Html(c.Name) << "</code></td><td>" << (*c.Caption ? "„" + Html(c.Caption) + "”" : "")
    << "</td><td>";
  std::string note;
  switch (c.Kind) {
    case ControlKind::TrackBar:
      o << "suwak</td><td>" << c.Min << ".." << c.Max << "</td><td>" << c.Default;
      if (*c.Group) note = "połączony przez " + std::string(c.Group);
      break;
    case ControlKind::CheckBox:
      o << "pole wyboru</td><td>0/1</td><td>" << (c.Default ? "zaznaczone" : "puste");
      break;
    case ControlKind::LinkBox:
      o << "pole wyboru</td><td>0/1</td><td>" << (c.Default ? "zaznaczone" : "puste");
      note = "łączy swoje suwaki: przesunięcie jednego przesuwa pozostałe";
      break;
    case ControlKind::RadioButton:
      o << "przycisk opcji</td><td>0/1</td><td>" << (c.Default ? "wybrany" : "");
      note = "grupa " + std::string(c.Group);
      break;
  }
  const std::string byCommand = SetByCommand(decl, c);
  if (!byCommand.empty()) note += (note.empty() ? "" : "; ") + byCommand;
  if (dialog) note += (note.empty() ? "" : "; ") + std::string("w oknie ") + dialog;
  o << "</td><td>" << Html(note) << "</td></tr>\n";
}

std::string CommandLine(const std::vector<std::string>& args) {
  std::string o = "rastrovia-batch";
  for (const std::string& a : args) {
    const bool quote = a.find(' ') != std::string::npos;
    o += " " + (quote ? "\"" + a + "\"" : a);
  }
  return o;
}

std::string Page(const FilterDecl& d, const std::string& picture, const std::vector<std::string>& made) {
  std::ostringstream o;
  const std::string title = Title(d.MenuCaption);
  o << Head(title, "../");
  o << "<p><a href=\"../filtry.html\">Filtry</a> → " << Html(d.Menu) << "</p>\n";
  o << "<h1>" << Html(title) << "</h1>\n";
  if (*d.Description) o << "<p>" << Html(d.Description) << "</p>\n";
  o << "<p>Menu <b>" << Html(d.Menu) << " → " << Html(d.MenuCaption)
    << "</b> (to samo polecenie jest w menu podręcznym okna obrazu). Okno „" << Html(d.DialogCaption) << "” (<code>"
    << d.DialogClass << "</code>), wpis w historii „" << Html(d.HistoryLabel) << "”.</p>\n";
  o << "<p>";
  if (d.HasPreview())
    o << "Podgląd pokazuje wycinek obrazu do " << 2 * d.PreviewHalfSize << " × " << 2 * d.PreviewHalfSize
      << " pikseli wokół środka; przeciągnięcie myszą przesuwa wycinek.";
  else
    o << "Okno nie ma podglądu: filtr działa dopiero po „OK”.";
  o << " „OK” stosuje filtr do całego obrazu (z paskiem postępu i przyciskiem przerwania), „Anuluj” zamyka okno "
       "bez zmian.</p>\n";
  o << "<p><img src=\"przed.jpg\" alt=\"Przed\" width=\"" << kPictureWidth << "\"> <img src=\"" << picture
    << "\" alt=\"Po\" width=\"" << kPictureWidth << "\"><br>Przed i po: <code>" << Html(CommandLine(made))
    << "</code></p>\n";
  o << "<h2>Ustawienia</h2>\n<table>\n<tr><th>Nazwa</th><th>Podpis</th><th>Rodzaj</th><th>Zakres</th>"
       "<th>Domyślnie</th><th>Uwagi</th></tr>\n";
  if (d.HasTryb)
    o << "<tr><td><code>Tryb</code></td><td>„Tryb:”</td><td>lista</td><td>26 trybów mieszania</td>"
         "<td>Zwykły</td><td>jak wynik filtru kładzie się na obraz</td></tr>\n";
  if (d.HasTypeBox)
    o << "<tr><td><code>TypeBox</code></td><td>„Rodzaj:”</td><td>lista</td><td>26 trybów mieszania</td>"
         "<td>Zwykły</td><td>jak wartości filtru łączą się z pikselem</td></tr>\n";
  for (const ControlDecl& c : d.Controls) ControlRow(o, d, c, nullptr);
  for (const ControlDecl& c : d.OpeningControls) ControlRow(o, d, c, d.OpeningWindow);
  if (d.HasTransparency)
    o << "<tr><td><code>Przezroczystosc</code></td><td>„Przezroczystość:”</td><td>suwak</td><td>0..100</td>"
         "<td>100</td><td>100 to pełny efekt</td></tr>\n";
  o << "</table>\n";
  o << "<p>Okno pamięta ustawienia do końca pracy programu.</p>\n";
  o << "<h2>Z wiersza poleceń</h2>\n<p><code>rastrovia-batch obraz.jpg wynik.png --filter " << d.Stem;
  if (d.NeedsOverlay()) o << " --overlay nakladka.jpg";
  o << "</code> stosuje filtr tak jak „OK”; kontrolki ustawia <code>--set NAZWA=WARTOŚĆ</code>";
  if (d.HasTryb) o << ", tryb <code>--tryb</code>";
  if (d.HasTypeBox) o << ", rodzaj <code>--typebox</code>";
  if (d.HasTransparency) o << ", przezroczystość <code>--przezroczystosc</code>";
  if (d.ExampleWithSelection) o << ", zaznaczenie <code>--mask</code>";
  o << ".</p>\n</body>\n</html>\n";
  return o.str();
}

std::string Index(const std::vector<const FilterDecl*>& filters) {
  std::ostringstream o;
  o << Head("Filtry", "");
  o << "<h1>Filtry</h1>\n";
  o << "<p>Każdy filtr ma własne okno z ustawieniami; większość pokazuje podgląd na żywo wycinka obrazu, "
       "a „OK” stosuje filtr do całego obrazu i zapisuje wpis w historii. Te same filtry stosuje do plików "
       "polecenie <code>rastrovia-batch</code> (lista z parametrami: <code>rastrovia-batch --list</code>).</p>\n";
  o << "<p>Obrazki „przed i po” na stronach filtrów wykonało polecenie <code>rastrovia-batch</code> "
       "z domyślnymi ustawieniami, o ile strona nie podaje innych.</p>\n";
  std::vector<std::string> menus;
  for (const FilterDecl* f : filters)
    if (std::find(menus.begin(), menus.end(), f->Menu) == menus.end()) menus.push_back(f->Menu);
  for (const std::string& m : menus) {
    o << "<h2>" << Html(m) << "</h2>\n<ul>\n";
    for (const FilterDecl* f : filters)
      if (m == f->Menu)
        o << "<li><a href=\"filtry/" << f->Stem << ".html\">" << Html(Title(f->MenuCaption)) << "</a>"
          << (*f->Description ? " – " + Html(f->Description) : "") << "</li>\n";
    o << "</ul>\n";
  }
  o << "</body>\n</html>\n";
  return o.str();
}

bool WriteText(const std::string& path, const std::string& text, std::ostream& err) {
  std::string why;
  const bool ok = WriteFileSafely(
      path,
      [&](const std::string& temp) {
        std::ofstream f(temp, std::ios::binary);
        f << text;
        f.close();
        return static_cast<bool>(f);
      },
      &why);
  if (!ok) err << "rastrovia-batch: cannot write " << path << ": " << why << "\n";
  return ok;
}

// An elliptical selection inside the picture, for feathering.
void WriteEllipseMask(const std::string& path, int w, int h) {
  Bitmap mask(w, h, MakePixel(0, 0, 0));
  const double cx = w / 2.0, cy = h / 2.0, rx = w * 0.3, ry = h * 0.3;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) mask.Set(x, y, MakePixel(255, 255, 255));
    }
  WritePictureFile(mask, path);
}

}  // namespace

int RunHelpPages(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string dir, sample, overlay;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--sample" && hasValue) {
      sample = args[++i];
    } else if (a == "--overlay" && hasValue) {
      overlay = args[++i];
    } else if (dir.empty() && !a.empty() && a[0] != '-') {
      dir = a;
    } else {
      err << "rastrovia-batch: --help-pages DIR --sample PICTURE [--overlay PICTURE]\n";
      return 2;
    }
  }
  if (dir.empty() || sample.empty()) {
    err << "rastrovia-batch: --help-pages needs DIR and --sample PICTURE\n";
    return 2;
  }
  if (overlay.empty()) overlay = sample;
  const fs::path pages = fs::path(dir) / "filtry";
  std::error_code ec;
  fs::create_directories(pages, ec);
  if (ec) {
    err << "rastrovia-batch: cannot make " << pages.string() << ": " << ec.message() << "\n";
    return 1;
  }
  // The small source picture, kept lossless while the filters read it.
  const std::string source = (pages / ".przed.png").string();
  const std::string mask = (pages / ".zaznaczenie.png").string();
  struct Cleanup {
    std::vector<std::string> files;
    ~Cleanup() {
      std::error_code ignored;
      for (const std::string& f : files) fs::remove(f, ignored);
    }
  } cleanup{{source, mask}};
  std::ostringstream quiet;
  auto batch = [&](const std::vector<std::string>& a) {
    const int rc = RunBatch(a, quiet, err);
    if (rc != 0) err << "rastrovia-batch: help pages: " << CommandLine(a) << " failed\n";
    return rc;
  };
  if (int rc = batch({sample, source, "--filter", "Resize", "--set", "Width=" + std::to_string(kPictureWidth)})) return rc;
  if (int rc = batch({source, (pages / "przed.jpg").string(), "--quality", kQuality})) return rc;
  try {
    const Bitmap small = LoadPictureFile(source);
    WriteEllipseMask(mask, small.Width(), small.Height());
  } catch (const std::exception& e) {
    err << "rastrovia-batch: help pages: " << e.what() << "\n";
    return 1;
  }

  int written = 0;
  for (const FilterDecl* d : AllFilters()) {
    const std::string picture = std::string(d->Stem) + ".jpg";
    // The arguments as the page shows them, and as they run here.
    std::vector<std::string> shown = {"przed.png", picture, "--filter", d->Stem, "--seed", kSeed};
    std::vector<std::string> run = {source, (pages / picture).string(), "--filter", d->Stem, "--seed", kSeed,
                                    "--quality", kQuality};
    auto add = [&](std::vector<std::string> shownArgs, std::vector<std::string> runArgs) {
      shown.insert(shown.end(), shownArgs.begin(), shownArgs.end());
      run.insert(run.end(), runArgs.begin(), runArgs.end());
    };
    if (d->NeedsOverlay()) add({"--overlay", "nakladka.jpg"}, {"--overlay", overlay});
    if (d->ExampleWithSelection) add({"--mask", "elipsa.png"}, {"--mask", mask});
    const std::vector<std::string> example(d->Example.begin(), d->Example.end());
    add(example, example);
    if (int rc = batch(run)) return rc;
    if (!WriteText((pages / (std::string(d->Stem) + ".html")).string(), Page(*d, picture, shown), err)) return 1;
    ++written;
  }
  if (!WriteText((fs::path(dir) / "filtry.html").string(), Index(AllFilters()), err)) return 1;
  out << written << " pages in " << pages.string() << "\n";
  return 0;
}

}  // namespace rv
