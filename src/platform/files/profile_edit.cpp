#include "platform/files/profile_edit.h"

#include <algorithm>
#include <iterator>

#include "platform/text/gbk.h"

namespace platform::profile {

namespace {

// A written line is read back as the file's own lines are, so that later writes of a batch
// find it exactly as they would after the file had been written and read again.
Line newEntry(QStringView key, QStringView value) {
    QString text;
    text.reserve(key.size() + 1 + value.size());
    text.append(key).append(QLatin1Char('=')).append(value);
    std::string raw = encodeGbk(text);
    // Text of ASCII only reads back as itself; other text may not (what GBK cannot hold was
    // written as '?'), so it is read back from its bytes.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() < 0x80; });
    return ascii ? parseLine(std::move(raw), std::move(text)) : parseLine(std::move(raw));
}

Line newHeader(const QString& name) {
    return parseLine(encodeGbk(QLatin1Char('[') + name + QLatin1Char(']')));
}

template <typename Lines>
void moveInto(std::vector<Line>& to, Lines& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    from.clear();
}

}  // namespace

EditedProfile::Section EditedProfile::headedBy(Line header) {
    Section section;
    section.header = std::move(header);
    return section;
}

EditedProfile::EditedProfile(std::string_view bytes) {
    group(parseLines(bytes));
}

void EditedProfile::group(std::vector<Line> lines) {
    prelude_.clear();
    sections_.clear();
    for (Line& line : lines) {
        if (line.kind == LineKind::Section)
            sections_.push_back(headedBy(std::move(line)));
        else if (sections_.empty())
            prelude_.push_back(std::move(line));
        else
            appendTo(sections_.back(), std::move(line));
    }
    for (Section& section : sections_) indexKeys(section);
    indexHeaders();
}

void EditedProfile::regroup() {
    std::vector<Line> lines;
    moveInto(lines, prelude_);
    for (Section& section : sections_) {
        lines.push_back(std::move(section.header));
        moveInto(lines, section.body);
        moveInto(lines, section.trailing);
    }
    group(std::move(lines));
}

void EditedProfile::indexHeaders() {
    headers_.clear();
    for (std::size_t at = 0; at < sections_.size(); ++at)
        headers_[sketchOf(sections_[at].header.name())].add(at);
}

void EditedProfile::indexKeys(Section& section) {
    section.keys.clear();
    for (std::size_t at = 0; at < section.body.size(); ++at)
        if (section.body[at].kind == LineKind::Entry)
            section.keys[sketchOf(section.body[at].name())].add(at);
}

// The keys' index is the caller's to keep.
void EditedProfile::appendTo(Section& section, Line line) {
    if (line.blank) {
        section.trailing.push_back(std::move(line));
        return;
    }
    moveInto(section.body, section.trailing);
    section.body.push_back(std::move(line));
}

void EditedProfile::insertKey(std::size_t at, Line line) {
    Section& section = sections_[at];
    const bool regrouped = line.kind == LineKind::Section || line.blank;
    if (line.kind == LineKind::Entry) section.keys[sketchOf(line.name())].add(section.body.size());
    section.body.push_back(std::move(line));
    if (regrouped) regroup();
}

void EditedProfile::append(Line line) {
    if (line.kind == LineKind::Section) {
        headers_[sketchOf(line.name())].add(sections_.size());
        sections_.push_back(headedBy(std::move(line)));
    } else if (sections_.empty()) {
        prelude_.push_back(std::move(line));
    } else {
        Section& last = sections_.back();
        const bool entry = line.kind == LineKind::Entry;  // never blank: it holds a '='
        const std::size_t sketched = entry ? sketchOf(line.name()) : 0;
        appendTo(last, std::move(line));
        if (entry) last.keys[sketched].add(last.body.size() - 1);
    }
}

bool EditedProfile::apply(const QString& sectionText, const std::optional<QString>& key,
                          const std::optional<QString>& value) {
    const QString sectionName = asName(sectionText);
    const std::optional<std::size_t> found = firstNamed(
        headers_, sectionName, [this](std::size_t at) { return sections_[at].header.name(); });
    if (!key) {
        if (!found) return false;
        sections_.erase(sections_.begin() + std::ptrdiff_t(*found));
        indexHeaders();
        return true;
    }
    const QString keyName = asName(*key);
    std::optional<std::size_t> entry;
    if (found) {
        const Section& section = sections_[*found];
        entry = firstNamed(section.keys, keyName,
                           [&section](std::size_t at) { return section.body[at].name(); });
    }
    if (!value) {
        if (!entry) return false;
        Section& section = sections_[*found];
        section.body.erase(section.body.begin() + std::ptrdiff_t(*entry));
        // The blank lines before the key removed may now end the section.
        std::vector<Line> lines;
        moveInto(lines, section.body);
        moveInto(lines, section.trailing);
        for (Line& line : lines) appendTo(section, std::move(line));
        indexKeys(section);
        return true;
    }
    const QString text = asOneLine(*value);
    if (entry) {
        Line& old = sections_[*found].body[*entry];
        Line line = newEntry(old.name(), text);
        const bool sameKey =
            line.kind == LineKind::Entry && sketchOf(line.name()) == sketchOf(old.name());
        old = std::move(line);
        if (!sameKey) regroup();
    } else if (found) {
        insertKey(*found, newEntry(keyName, text));
    } else {
        append(newHeader(sectionName));
        append(newEntry(keyName, text));
    }
    return true;
}

std::string EditedProfile::bytes() const {
    std::string bytes;
    const auto write = [&bytes](const Line& line) { bytes.append(line.raw).append("\r\n"); };
    for (const Line& line : prelude_) write(line);
    for (const Section& section : sections_) {
        write(section.header);
        for (const Line& line : section.body) write(line);
        for (const Line& line : section.trailing) write(line);
    }
    return bytes;
}

}  // namespace platform::profile
