#include "resultsparser.h"

#include "operatorsite.h"
#include "pagereader.h"
#include "store/cp1252.h"
#include "store/oledate.h"

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

    const QString kNoNewDrawsTitle = QStringLiteral("Pruebe más tarde");
    const QString kNoNewDrawsText = QStringLiteral("Todavía no hay sorteos nuevos.");
    const QString kCorruptTitle = QStringLiteral("Error crítico");
    const QString kCorruptText = QStringLiteral(
        "¡¡Datos corruptos o inválidos!! Si se repite en otros momentos este mismo error, "
        "posiblemente se ha de actualizar el programa. Pruebe más tarde.");
    const QString kCorruptReport = QStringLiteral(
        "\nERROR DE INTERPRETACIÓN DE DATOS:\nSi más tarde se conecta y le vuelve a suceder envie un email a: ");
    const QString kPartialTitle = QStringLiteral("Pruebe mas tarde");
    const QString kPartialText = QStringLiteral("Aun no hay datos de sorteos del %1.");

    struct Month
    {
        QByteArrayView spanish;
        QByteArrayView english;
    };
    constexpr std::array<Month, 12> kMonths {{
        {"ENERO", "JANUARY"}, {"FEBRERO", "FEBRUARY"}, {"MARZO", "MARCH"}, {"ABRIL", "APRIL"},
        {"MAYO", "MAY"}, {"JUNIO", "JUNE"}, {"JULIO", "JULY"}, {"AGOSTO", "AUGUST"},
        {"SEPTIEMBRE", "SEPTEMBER"}, {"OCTUBRE", "OCTOBER"}, {"NOVIEMBRE", "NOVEMBER"},
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

    // One draw's numbers block from the read position; nullopt when the page
    // runs out inside it or the block is incomplete.
    std::optional<Block> readBlock(PageReader &reader, QDate date)
    {
        using Stop = ResultsPageScan::Stop;
        Block block;
        if (!reader.busca(kNumbersBlock, "<") || reader.endOfData())
            return std::nullopt;
        // A block short of a number or of its key would borrow them from the
        // next draw's block: its reads must end before that block starts.
        const qsizetype nextBlock = reader.find(kNumbersBlock, reader.position());
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
        if (!keyText || reader.endOfData())
            return std::nullopt;
        const auto key = leadingNumber(*keyText);
        tooLarge |= !key;
        block.draw.clave = key.value_or(0);
        block.draw.date = OleDate::fromDate(date);
        if (nextBlock != 0 && reader.position() > nextBlock)
            return std::nullopt;

        if (tooLarge)
            block.verdict = Stop::InvalidDraw;
        else if (zero)
            block.verdict = Stop::ZeroNumber;
        else if (hasRepeats(block.draw) || !sortDrawNumbers(block.draw) || block.draw.clave < 0 || block.draw.clave > 9)
            block.verdict = Stop::InvalidDraw;
        return block;
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

ResultsPageScan scanResultsPage(const QByteArray &page, double newestStoredDate)
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
    reader.setPosition(1);

    // The headings, newest first. A month name the table does not know takes
    // the previous heading's month.
    int month = 0;
    bool pathTaken = false;
    for (qsizetype at = 0; at < anchor - kAnchorMargin; at = reader.position()) {
        const auto heading = reader.busca(kHeading, ";");
        const auto day = heading ? reader.busca(" ", " ") : std::nullopt;
        const auto monthName = day ? reader.busca(" ", " ") : std::nullopt;
        const auto year = monthName ? reader.busca(" ", "<") : std::nullopt;
        if (!year)
            return fail();
        if (const int m = monthNumber(*monthName))
            month = m;
        const QDate date = headingDate(*day, month, *year);
        if (!date.isValid())
            return fail();
        const double ole = OleDate::fromDate(date);
        if (ole < newestStoredDate)
            continue;

        // Only the newest listed draw's page is wanted; a bad link there is
        // a missing link, never a reason to fall back on an older draw.
        if (!pathTaken) {
            pathTaken = true;
            const auto tail = reader.busca(*year + '/', "\"");
            if (!tail)
                return fail();
            const QString path = QString::fromLatin1(*year) + QLatin1Char('/') + Cp1252::decode(*tail);
            if (!tail->isEmpty() && OperatorSite::isSafePathPiece(path))
                scan.drawPagePath = path;
        }
        if (ole == newestStoredDate)
            continue;
        // The pairing with the numbers blocks holds only for a list in
        // strictly falling date order; the file's order depends on it too.
        if (!scan.newDates.empty() && date >= scan.newDates.back())
            return fail();
        scan.newDates.push_back(date);
        if (scan.newDates.size() > kMaxNewDates)
            return fail();
    }

    // The i-th numbers block from the top belongs to the i-th new date.
    reader.setPosition(1);
    std::vector<Block> blocks;
    blocks.reserve(scan.newDates.size());
    for (const QDate &date : scan.newDates) {
        auto block = readBlock(reader, date);
        if (!block)
            return fail();
        blocks.push_back(*block);
    }
    scan.endOfData = reader.endOfData();

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

QString storedDrawsText(int count)
{
    return count == 1 ? QStringLiteral("1 sorteo") : QStringLiteral("%1 sorteos").arg(count);
}

ParseResult concludeParse(ResultsPageScan scan, int stored, bool writeFailed, int currentYear,
                          const QString &supportEmail)
{
    using Stop = ResultsPageScan::Stop;
    ParseResult result;
    result.scan = std::move(scan);
    result.storedDraws = stored;
    result.newDrawCount = stored;
    const bool error = writeFailed || result.scan.stop == Stop::InvalidDraw || result.scan.stop == Stop::DataError;
    if (error) {
        result.dataError = true;
        if (stored == 0) {
            result.parseFailed = true;
            result.message = WebMessage {Prompter::Icon::Critical, kCorruptTitle, kCorruptText};
            result.reportText = kCorruptReport + supportEmail;
        } else {
            result.message = WebMessage {Prompter::Icon::Information, kPartialTitle,
                                         kPartialText.arg(currentYear)};
            // The draws stored before the bad one are in the file: the status
            // and the scrutiny that follows must see them.
            result.runStatusScan = true;
        }
        return result;
    }
    if (stored == 0) {
        result.message = WebMessage {Prompter::Icon::Information, kNoNewDrawsTitle, kNoNewDrawsText};
        result.newDrawCount = 1;
    }
    result.runStatusScan = true;
    return result;
}

ParseResult parseResultsPage(const QByteArray &page, TypedRecordFile<DrawRecord> &drawFile, int currentYear,
                             const QString &supportEmail)
{
    const qint64 count = drawFile.count();
    const DrawRecord newest = count > 0 ? drawFile.get(count) : DrawRecord {};
    ResultsPageScan scan = scanResultsPage(page, newest.date);
    const int stored = storeNewDraws(drawFile, scan.draws);
    const bool writeFailed = stored < int(scan.draws.size());
    return concludeParse(std::move(scan), stored, writeFailed, currentYear, supportEmail);
}
