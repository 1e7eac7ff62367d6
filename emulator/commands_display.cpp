// "$d": drawer and customer display, keyboard lock, display pictures, graphic header and footer,
// farewell screen.
#include "emulator/machine.h"

namespace kelm::emu {

namespace {

constexpr size_t kSlotRaster = 1536;  // 192 x 64 points, eight bands of 192 bytes
constexpr size_t kSlotPart = 192;     // one band per upload part
constexpr size_t kRowBytes = 52;      // a header or footer row, 416 dots
constexpr size_t kFarewellPart = 128;

bool Unhex(std::string_view hex, std::string* out) {
  out->clear();
  if (hex.size() % 2) return false;
  for (size_t i = 0; i < hex.size(); i += 2) {
    int v = 0;
    for (size_t j = 0; j < 2; ++j) {
      char ch = hex[i + j];
      int n = ch >= '0' && ch <= '9' ? ch - '0' : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1;
      if (n < 0) return false;
      v = v * 16 + n;
    }
    out->push_back(static_cast<char>(v));
  }
  return true;
}

void SlotCommand(Machine& m, const Command& c, long code, Result& r) {
  long slot;
  size_t at = code == 255 ? 2 : 1;
  if (!c.Num(at, &slot) || slot > 9) {
    r.error = kParam;
    return;
  }
  Picture& pic = m.st.slots[static_cast<size_t>(slot)];
  if (code == 253 && c.count() == 2) {
    m.upload_slot = static_cast<int>(slot);
    m.upload.assign(kSlotRaster, '\0');
  } else if (code == 253) {
    if (c.count() != 3 || c.NumOr(2, -1) != 0) {
      r.error = kParam;
      return;
    }
    pic = Picture();
    m.dirty = true;
  } else if (code == 255) {
    long part;
    std::string bytes;
    if (c.count() != 3 || !c.Num(1, &part) || part > 7) {
      r.error = kParam;
      return;
    }
    if (m.upload_slot != slot) {
      r.error = kNoTransaction;
      return;
    }
    if (!Unhex(c.fields, &bytes) || bytes.size() != kSlotPart) {
      r.error = kParam;
      return;
    }
    m.upload.replace(static_cast<size_t>(part) * kSlotPart, kSlotPart, bytes);
    if (part == 7) {
      pic.present = true;
      pic.raster = m.upload;
      m.upload_slot = -1;
      m.dirty = true;
    }
  } else if (code == 252) {
    // The picture goes back as raw bytes; an empty slot sends nothing.
    r.query = true;
    r.raw = true;
    if (pic.present) r.answer = pic.raster;
  } else if (code == 254) {
    long v[6];
    for (int i = 1; i < 6; ++i)
      if (!c.Num(i, &v[i])) {
        r.error = kParam;
        return;
      }
    if (c.count() != 6 || v[1] > 6 || v[2] > 8 || v[3] > 9 || v[4] > 9 || v[5] > 9) {
      r.error = c.count() != 6 ? kCount : kParam;
      return;
    }
    Picture& target = m.st.slots[static_cast<size_t>(v[4])];
    target.mode = static_cast<int>(v[1]);
    target.step = static_cast<int>(v[2]);
    target.speed = static_cast<int>(v[3]);
    target.interval = static_cast<int>(v[5]);
    m.dirty = true;
  }
}

void HeaderGraphics(Machine& m, const Command& c, Result& r) {
  if (c.fields.empty()) {
    // The erase frames: the third parameter tells header (0) from footer (1).
    long which = c.NumOr(2, -1);
    if (c.count() != 7 || which < 0 || which > 1) {
      r.error = kParam;
      return;
    }
    (which == 0 ? m.st.header_rows : m.st.footer_rows).clear();
    m.dirty = true;
    return;
  }
  long row, last, width, footer;
  std::string bytes;
  if (c.count() < 6 || c.count() > 7 || !c.Num(1, &row) || !c.Num(2, &last) || !c.Num(3, &width) ||
      !c.Num(5, &footer) || row < 1 || row > 96 || last > 1 || width > 52 || footer > 1 ||
      c.params[4].size() != 1 || !Unhex(c.fields, &bytes) || bytes.size() != kRowBytes) {
    r.error = kParam;
    return;
  }
  if (row == 1) m.rows.clear();
  if (static_cast<size_t>(row) != m.rows.size() + 1) {
    r.error = kParam;
    return;
  }
  m.rows.push_back(bytes);
  if (last) {
    (footer ? m.st.footer_rows : m.st.header_rows) = m.rows;
    m.rows.clear();
    m.dirty = true;
  }
}

void Farewell(Machine& m, const Command& c, Result& r) {
  long part;
  std::string bytes;
  if (c.count() != 2 || !c.Num(1, &part) || part > 7 || !Unhex(c.fields, &bytes) ||
      bytes.size() != kFarewellPart) {
    r.error = kParam;
    return;
  }
  if (part == 0) m.upload.clear();
  if (m.upload.size() != static_cast<size_t>(part) * kFarewellPart) {
    r.error = kParam;
    return;
  }
  m.upload += bytes;
  if (part == 7) {
    m.st.farewell = m.upload;
    m.upload.clear();
    m.dirty = true;
  }
}

}  // namespace

bool DisplayNeedsCheck(const Command& c) {
  long code = c.NumOr(0, -1);
  if (code == 249 || code == 254) return true;
  if (code == 253) return c.count() == 2;
  if (code == 251) return c.data.size() == 2;
  return false;
}

void HandleDisplay(Machine& m, const Command& c, Result& r) {
  long code;
  if (!c.Num(0, &code)) {
    r.error = c.count() == 0 ? kCount : kParam;
    return;
  }
  switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 14:
    case 15:
      // Drawer and display operations print nothing; text for the display follows FFh.
      if (c.count() != 1) r.error = kCount;
      break;
    case 249: {
      long on, seconds;
      Command n;
      n.params = {c.count() > 2 ? c.params[2] : std::string_view()};
      if (c.count() != 3) {
        r.error = kCount;
      } else if (!c.Num(1, &on) || on > 1 || !n.Num(0, &seconds) || seconds < 1 || seconds > 60) {
        r.error = kParam;
      } else {
        m.st.options.keyboard_lock = static_cast<int>(on);
        m.st.options.keyboard_lock_seconds = static_cast<int>(seconds);
        m.dirty = true;
      }
      break;
    }
    case 252:
    case 253:
    case 254:
    case 255:
      SlotCommand(m, c, code, r);
      break;
    case 251:
      HeaderGraphics(m, c, r);
      break;
    case 248:
      Farewell(m, c, r);
      break;
    default:
      r.error = kParam;
  }
}

}  // namespace kelm::emu
