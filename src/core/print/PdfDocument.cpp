#include "print/PdfDocument.h"

#include "files/NumberText.h"

#include <cstdint>

namespace {
constexpr double kA4Width = 595.28, kA4Height = 841.89; // points
constexpr double kBezierCircle = 0.5523;                // control distance of a quarter circle

void Num(std::string &out, double d) {
  AppendFixed(out, d, 2);
  out += ' ';
}

void Colour(std::string &out, std::uint32_t rgb, const char *op) {
  for (int shift : {16, 8, 0})
    Num(out, ((rgb >> shift) & 255) / 255.0);
  out += op;
  out += '\n';
}

// UTF-8 to the font's Latin-1 bytes, escaped for a PDF string.
std::string PdfString(const std::string &utf8) {
  std::string out = "(";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    unsigned c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0x80) {
      std::size_t more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
      unsigned cp = c & (c >= 0xF0 ? 0x07 : c >= 0xE0 ? 0x0F : 0x1F);
      for (; more > 0 && i + 1 < utf8.size(); --more)
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
      c = cp < 0x100 ? cp : cp == 0x2013 ? 0x96 : '?'; // the en dash is in WinAnsi
    }
    if (c == '(' || c == ')' || c == '\\')
      out += '\\';
    if (c < 0x20) {
      out += ' ';
      continue;
    }
    out += static_cast<char>(c);
  }
  return out + ")";
}

class CPageContent {
public:
  CPageContent(double s, int L) : m_s(s), m_L(L) {}
  std::string Render(const PageImage &page) {
    for (const PageOp &op : page.ops)
      Op(op);
    if (m_bClip)
      m_out += "Q\n";
    return m_out;
  }

private:
  double X(int x) const { return x * m_s; }
  double Y(int y) const { return kA4Height - y * m_s; }
  void Op(const PageOp &op) {
    switch (op.kind) {
    case PageOp::Kind::Text: {
      const double size = m_L * m_s * 0.8;
      m_out += "BT /F1 ";
      Num(m_out, size);
      m_out += "Tf ";
      Colour(m_out, op.rgb, "rg");
      Num(m_out, X(op.x1));
      Num(m_out, Y(op.y1) - size * 0.9);
      m_out += "Td " + PdfString(op.text) + " Tj ET\n";
      break;
    }
    case PageOp::Kind::Line:
      Colour(m_out, op.rgb, "RG");
      Num(m_out, std::max(0.2, op.penWidth * m_s));
      m_out += "w ";
      Num(m_out, X(op.x1));
      Num(m_out, Y(op.y1));
      m_out += "m ";
      Num(m_out, X(op.x2));
      Num(m_out, Y(op.y2));
      m_out += "l S\n";
      break;
    case PageOp::Kind::Fill:
      Colour(m_out, op.rgb, "rg");
      Rect(op.x1, op.y1, op.x2, op.y2);
      m_out += "f\n";
      break;
    case PageOp::Kind::Ellipse: {
      Colour(m_out, op.rgb, "RG");
      Num(m_out, std::max(0.2, op.penWidth * m_s));
      m_out += "w\n";
      const double cx = (X(op.x1) + X(op.x2)) / 2, cy = (Y(op.y1) + Y(op.y2)) / 2;
      const double rx = (X(op.x2) - X(op.x1)) / 2, ry = (Y(op.y1) - Y(op.y2)) / 2;
      const double kx = rx * kBezierCircle, ky = ry * kBezierCircle;
      const double pts[][6] = {{cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry},
                               {cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy},
                               {cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry},
                               {cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy}};
      Num(m_out, cx + rx);
      Num(m_out, cy);
      m_out += "m\n";
      for (const auto &p : pts) {
        for (double d : p)
          Num(m_out, d);
        m_out += "c\n";
      }
      m_out += "S\n";
      break;
    }
    case PageOp::Kind::Clip:
      if (m_bClip)
        m_out += "Q\n";
      m_bClip = op.x2 > 0 && op.y2 > 0;
      if (m_bClip) {
        m_out += "q ";
        Rect(op.x1, op.y1, op.x2, op.y2);
        m_out += "W n\n";
      }
      break;
    }
  }
  void Rect(int x, int y, int w, int h) {
    Num(m_out, X(x));
    Num(m_out, Y(y + h));
    Num(m_out, w * m_s);
    Num(m_out, h * m_s);
    m_out += "re ";
  }

  double m_s;
  int m_L;
  std::string m_out;
  bool m_bClip = false;
};
} // namespace

std::string PdfFromPages(const std::vector<PageImage> &pages, int W, int H, int nLineHeight) {
  const double s = std::min(kA4Width / std::max(1, W), kA4Height / std::max(1, H));
  std::vector<std::string> objects; // object n is objects[n - 1]
  const std::size_t nPages = pages.size();
  std::string kids;
  for (std::size_t i = 0; i < nPages; ++i)
    kids += std::to_string(4 + 2 * i) + " 0 R ";
  objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
  objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(nPages) + " >>");
  objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
  for (std::size_t i = 0; i < nPages; ++i) {
    const std::string content = CPageContent(s, nLineHeight).Render(pages[i]);
    objects.push_back(
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595.28 841.89] /Resources << /Font << /F1 3 0 R "
        ">> >> /Contents " +
        std::to_string(5 + 2 * i) + " 0 R >>");
    objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
                      "\nendstream");
  }
  std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(out.size());
    out += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  const std::size_t xref = out.size();
  out += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t off : offsets) {
    std::string n = std::to_string(off);
    out += std::string(10 - n.size(), '0') + n + " 00000 n \n";
  }
  out += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         std::to_string(xref) + "\n%%EOF\n";
  return out;
}
