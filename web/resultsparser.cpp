#include "resultsparser.h"

#include "base/calendar.h"
#include "operatorsite.h"
#include "pagereader.h"
#include "store/cp1252.h"
#include "store/oledate.h"

#include <algorithm>
#include <array>
#include <limits>

namespace
{
    // Where the page's list of draws ends; a heading must lie within the
    // margin before it to be read.
    constexpr QByteArrayView kEndAnchor = "-- while";
    constexpr qsizetype kAnchorMargin = 3000;
    constexpr QByteArrayView kHeading = "do del";
    constexpr QByteArrayView kNumbersBlock = "combi";
    constexpr QByteArrayView kNumber = "<li> ";
    constexpr QByteArrayView kKey = "q\"\">";
    constexpr std::size_t kMaxNewDates = 50;

    struct Month
    {
        QByteArrayView spanish;
        QByteArrayView english;
    };
    constexpr std::array<Month, 12> kMonths {{
        {"ENERO", "JANUARY"},
        {"FEBRERO", "FEBRUARY"},
        {"MARZO", "MARCH"},
        {"ABRIL", "APRIL"},
        {"MAYO", "MAY"},
        {"JUNIO", "JUNE"},
        {"JULIO", "JULY"},
        {"AGOSTO", "AUGUST"},
        {"SEPTIEMBRE", "SEPTEMBER"},
        {"OCTUBRE", "OCTOBER"},
        {"NOVIEMBRE", "NOVEMBER"},
        {"DICIEMBRE", "DECEMBER"},
    }};

    bool isDigits(QByteArrayView text)
    {
        for (char c : text) {
            if (c < '0' || c > '9')
                return false;
        }
        return !text.isEmpty();
    }

    // A heading's date from its three pieces: a day of one or two digits, the
    // month's number, a four-digit year.
    QDate headingDate(QByteArrayView day, int month, QByteArrayView year)
    {
        if (!isDigits(day) || day.size() > 2 || !isDigits(year) || year.size() != 4 || month == 0)
            return {};
        return QDate(year.toInt(), month, day.toInt());
    }

    bool hasRepeats(const DrawRecord &draw)
    {
        for (std::size_t i = 0; i < draw.numbers.size(); ++i) {
            for (std::size_t j = i + 1; j < draw.numbers.size(); ++j) {
                if (draw.numbers[i] == draw.numbers[j])
                    return true;
            }
        }
        return false;
    }

    struct Block
    {
        DrawRecord draw;
        ResultsPageScan::Stop verdict = ResultsPageScan::Stop::None;
    };

    // A draw's numbers block, read from blockAt; nullopt when a read leaves
    // the block's segment of the page (the block is incomplete and would
    // borrow from the next draw) or runs out of page.
    std::optional<Block> readBlock(PageReader &reader, qsizetype blockAt, qsizetype segmentEnd, QDate date)
    {
        using Stop = ResultsPageScan::Stop;
        Block block;
        reader.setPosition(blockAt);
        if (!reader.busca(kNumbersBlock, "<") || reader.endOfData())
            return std::nullopt;
        bool tooLarge = false;
        bool zero = false;
        for (auto &number : block.draw.numbers) {
            const auto text = reader.busca(kNumber, "<");
            if (!text || reader.endOfData())
                return std::nullopt;
            const auto value = leadingNumber(*text);
            tooLarge |= !value;
            number = value.value_or(0);
            zero |= number == 0;
        }
        const auto keyText = reader.busca(kKey, "<");
        if (!keyText || reader.endOfData() || reader.position() > segmentEnd)
            return std::nullopt;
        const auto key = leadingNumber(*keyText);
        tooLarge |= !key;
        block.draw.clave = key.value_or(0);
        block.draw.date = OleDate::fromDate(date);

        if (tooLarge)
            block.verdict = Stop::InvalidDraw;
        else if (zero)
            block.verdict = Stop::ZeroNumber;
        else if (hasRepeats(block.draw) || !sortDrawNumbers(block.draw) || block.draw.clave < 0 || block.draw.clave > 9)
            block.verdict = Stop::InvalidDraw;
        return block;
    }

    // One draw as the page lists it: its heading's date and where the
    // heading's marker starts and its text ends.
    struct Heading
    {
        QDate date;
        QByteArray year;
        qsizetype start = 0;
        qsizetype end = 0;
    };

    // "year/number" from the draw's own part of the page; empty when its
    // link is not there or not a safe path.
    QString drawPageLink(PageReader &reader, const Heading &heading, qsizetype segmentEnd)
    {
        const QByteArray marker = heading.year + '/';
        const qsizetype at = reader.find(marker, heading.end);
        if (at == 0 || at >= segmentEnd)
            return {};
        reader.setPosition(at);
        const auto tail = reader.busca(marker, "\"");
        if (!tail || tail->isEmpty() || reader.endOfData() || reader.position() > segmentEnd)
            return {};
        const QString path = QString::fromLatin1(marker) + Cp1252::decode(*tail);
        return OperatorSite::isSafePathPiece(path) ? path : QString();
    }
}

bool sortDrawNumbers(DrawRecord &draw)
{
    std::array<bool, 55> marked {};
    for (auto n : draw.numbers) {
        if (n < 1 || n > 54)
            return false;
        marked[std::size_t(n)] = true;
    }
    std::size_t slot = 0;
    for (int n = 1; n <= 54; ++n) {
        if (marked[std::size_t(n)])
            draw.numbers[slot++] = std::int16_t(n);
    }
    return true;
}

int monthNumber(QByteArrayView name)
{
    const QByteArray upper = name.toByteArray().toUpper();
    for (std::size_t i = 0; i < kMonths.size(); ++i) {
        if (upper == kMonths[i].spanish || upper == kMonths[i].english)
            return int(i) + 1;
    }
    return 0;
}

std::optional<std::int16_t> leadingNumber(QByteArrayView text)
{
    int value = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int16_t>::max())
            return std::nullopt;
    }
    return std::int16_t(value);
}

ResultsPageScan scanResultsPage(const QByteArray &page, double newestStoredDate, QDate today)
{
    using Stop = ResultsPageScan::Stop;
    ResultsPageScan scan;
    PageReader reader(page);
    const auto fail = [&] {
        scan.stop = Stop::DataError;
        scan.draws.clear();
        scan.endOfData = reader.endOfData();
        return scan;
    };

    if (!reader.busca(kEndAnchor, "-"))
        return fail();
    const qsizetype anchor = reader.position();
    // Blocks below the anchor are not part of the list.
    const qsizetype anchorStart = reader.endOfData() ? 0 : reader.find(kEndAnchor, 1);
    const qsizetype listEnd = anchorStart > 0 ? anchorStart : page.size() + 1;
    reader.setPosition(1);

    // Every heading, newest first. A month name the table does not know
    // takes the previous heading's month. A date that is no draw day, or
    // lies ahead of today, is no draw the operator held: the page is not
    // what it seems.
    std::vector<Heading> headings;
    int month = 0;
    for (qsizetype at = 0; at < anchor - kAnchorMargin; at = reader.position()) {
        Heading heading;
        heading.start = reader.find(kHeading, reader.position());
        const auto marker = reader.busca(kHeading, ";");
        const auto day = marker && !reader.endOfData() ? reader.busca(" ", " ") : std::nullopt;
        const auto monthName = day ? reader.busca(" ", " ") : std::nullopt;
        const auto year = monthName ? reader.busca(" ", "<") : std::nullopt;
        if (!year)
            return fail();
        if (const int m = monthNumber(*monthName))
            month = m;
        heading.date = headingDate(*day, month, *year);
        if (!isDrawDay(heading.date) || heading.date > today)
            return fail();
        heading.year = *year;
        heading.end = reader.position();
        headings.push_back(std::move(heading));
    }

    // A page that lists no draw vouches for none: with draws due since the
    // newest stored one (an error page served with 200 lists none either),
    // it must not pass for "no news".
    const QDate newestStored = newestStoredDate != 0.0 ? OleDate::toDate(newestStoredDate) : QDate();
    if (headings.empty()) {
        if (const auto due = expectedDrawDates(newestStored, today); !due.empty()) {
            scan.stop = Stop::HistoryGap;
            scan.firstMissing = due.front();
        }
        return scan;
    }

    // A heading owns the page up to the next one (the last one, up to the
    // anchor).
    const auto segmentEnd = [&](std::size_t i) { return i + 1 < headings.size() ? headings[i + 1].start : listEnd; };

    // Only the newest listed draw's page is wanted (even when the list then
    // proves unusable); a bad link there is a missing link, never a reason
    // to fall back on an older draw.
    QDate pageDate;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const Heading &heading = headings[i];
        if (OleDate::fromDate(heading.date) >= newestStoredDate && (!pageDate.isValid() || heading.date > pageDate)) {
            pageDate = heading.date;
            scan.drawPagePath = drawPageLink(reader, heading, segmentEnd(i));
        }
    }

    // Each heading holds exactly one numbers block. A heading the reader
    // cannot recognise leaves its block to the heading above it; pairing by
    // count would then give draws each other's numbers.
    const qsizetype listStart = headings.empty() ? listEnd : headings.front().start;
    if (const qsizetype stray = reader.find(kNumbersBlock, 1); stray != 0 && stray < listStart)
        return fail();
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const Heading &heading = headings[i];
        const qsizetype end = segmentEnd(i);
        const qsizetype blockAt = reader.find(kNumbersBlock, heading.end);
        if (blockAt == 0 || blockAt >= end)
            return fail();
        if (const qsizetype another = reader.find(kNumbersBlock, blockAt + 1); another != 0 && another < end)
            return fail();
        if (OleDate::fromDate(heading.date) <= newestStoredDate)
            continue;
        // The file's order depends on the list falling in date order.
        if (!scan.newDates.empty() && heading.date >= scan.newDates.back())
            return fail();
        scan.newDates.push_back(heading.date);
        if (scan.newDates.size() > kMaxNewDates)
            return fail();
        auto block = readBlock(reader, blockAt, end, heading.date);
        if (!block)
            return fail();
        blocks.push_back(*block);
    }

    // The page speaks for the draw days from its oldest listed draw on. A
    // draw due between the newest stored one and that one may have been
    // held: storing newer draws over it would hide it for good.
    if (!blocks.empty() && newestStored.isValid()) {
        const QDate oldestListed = std::min_element(headings.begin(), headings.end(), [](const auto &a, const auto &b) {
                                       return a.date < b.date;
                                   })->date;
        const auto unvouched = expectedDrawDates(newestStored, oldestListed.addDays(-1));
        if (!unvouched.empty()) {
            scan.stop = Stop::HistoryGap;
            scan.firstMissing = unvouched.front();
            // Its report would sit under the heading of an older draw.
            scan.drawPagePath.clear();
            return scan;
        }
    }

    // Store from the oldest up to the first draw that cannot be stored.
    for (auto it = blocks.rbegin(); it != blocks.rend(); ++it) {
        if (it->verdict != Stop::None) {
            scan.stop = it->verdict;
            break;
        }
        scan.draws.push_back(it->draw);
    }
    return scan;
}

int storeNewDraws(TypedRecordFile<DrawRecord> &drawFile, const std::vector<DrawRecord> &oldestFirst)
{
    // One append, all or none: a full disk must not leave half a record
    // that the next start would take for a damaged file.
    if (oldestFirst.empty())
        return 0;
    QByteArray records;
    records.reserve(qsizetype(oldestFirst.size()) * DrawRecord::kSize);
    for (const DrawRecord &draw : oldestFirst)
        records += draw.toBytes();
    return drawFile.append(records) ? int(oldestFirst.size()) : 0;
}

ParseResult concludeParse(ResultsPageScan scan, int stored, bool writeFailed, int currentYear,
                          const QString &supportEmail)
{
    using Stop = ResultsPageScan::Stop;
    using Status = Outcome::Status;
    using Cause = Outcome::Cause;
    constexpr Outcome::Command kDownload = Outcome::Command::Download;
    ParseResult result;
    result.scan = std::move(scan);
    result.storedDraws = stored;
    result.newDrawCount = stored;
    const bool error = writeFailed || result.scan.stop == Stop::InvalidDraw || result.scan.stop == Stop::DataError;
    if (error) {
        result.dataError = true;
        if (stored == 0) {
            result.parseFailed = true;
            result.notice = Outcome(Status::Failed, kDownload, Cause::CorruptData);
            result.unreadable = ReportUnreadable {ReportUnreadable::Kind::Corrupt, supportEmail, {}, {}};
        } else {
            result.notice = Outcome(Status::Incomplete, kDownload, Cause::PartialData);
            result.notice.count = currentYear;
            // The draws stored before the bad one are in the file: the status
            // and the scrutiny that follows must see them.
            result.runStatusScan = true;
        }
        return result;
    }
    if (result.scan.stop == Stop::HistoryGap) {
        // Nothing was stored: the status keeps counting the missing draws,
        // and the newest stored draw is checked again as when nothing is new.
        result.historyGap = true;
        result.dataError = true;
        result.notice = Outcome(Status::Refused, kDownload, Cause::HistoryGap);
        result.notice.date = result.scan.firstMissing;
        result.newDrawCount = 1;
        result.runStatusScan = true;
        return result;
    }
    if (stored == 0) {
        result.notice = Outcome(Status::Unchanged, kDownload, Cause::NoNewDraws);
        result.newDrawCount = 1;
    }
    result.runStatusScan = true;
    return result;
}

ParseResult parseResultsPage(const QByteArray &page, TypedRecordFile<DrawRecord> &drawFile, QDate today,
                             const QString &supportEmail)
{
    const qint64 count = drawFile.count();
    const DrawRecord newest = count > 0 ? drawFile.get(count) : DrawRecord {};
    ResultsPageScan scan = scanResultsPage(page, newest.date, today);
    const int stored = storeNewDraws(drawFile, scan.draws);
    const bool writeFailed = stored < int(scan.draws.size());
    return concludeParse(std::move(scan), stored, writeFailed, today.year(), supportEmail);
}
