#include "tools/morvel/comparison_report.h"

#include "tools/morvel/tool_texts.h"

#include <QJsonDocument>
#include <QString>

#include <algorithm>
#include <iostream>

namespace morvel::cli {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Counted(std::size_t count, const char* one, const char* many)
{
    return count == 1 ? QString::fromUtf8(one) : QString::fromUtf8(many).arg(count);
}

} // namespace

QString FromLocal(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

void PrintDifferences(const std::vector<FieldDifference>& differences, const Sides& sides, std::ostream& out)
{
    for (const FieldDifference& d : differences) {
        out << d.name;
        if (!d.place.empty())
            out << " (" << d.place << ')';
        out << ": " << sides.first << ' ' << d.first << ", " << sides.second << ' ' << d.second << '\n';
    }
}

std::string DifferenceCount(const std::vector<FieldDifference>& differences)
{
    const auto fields = std::size_t(std::count_if(differences.begin(), differences.end(),
                                                  [](const FieldDifference& d) { return d.field != nullptr; }));
    const std::size_t bytes = differences.size() - fields;
    QString what;
    if (fields > 0 && bytes > 0)
        what = QString::fromUtf8(texts::kAnd).arg(Counted(fields, texts::kOneField, texts::kFields),
                                                  Counted(bytes, texts::kOneByte, texts::kBytes));
    else if (fields > 0)
        what = Counted(fields, texts::kOneField, texts::kFields);
    else
        what = Counted(bytes, texts::kOneByte, texts::kBytes);
    return QString::fromUtf8(differences.size() == 1 ? texts::kDiffers : texts::kDiffer).arg(what).toStdString();
}

QJsonArray DifferencesJson(const std::vector<FieldDifference>& differences, const Sides& keys)
{
    QJsonArray array;
    for (const FieldDifference& d : differences) {
        QJsonObject entry{
            {QStringLiteral("name"), Utf8(d.name)},
            {QStringLiteral("place"), Utf8(d.place)},
            {QStringLiteral("page"), d.field ? Utf8(d.field->page) : QString()},
            {QStringLiteral("caption"), d.field ? Utf8(d.field->caption) : QString()},
            {QStringLiteral("block"), QString::fromLatin1(BlockName(d.block))},
            {QStringLiteral("offset"), qint64(d.offset)},
            {Utf8(keys.first), Utf8(d.first)},
            {Utf8(keys.second), Utf8(d.second)},
        };
        array.append(entry);
    }
    return array;
}

void PrintJson(const QJsonObject& document)
{
    std::cout << QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
    std::cout.flush();
}

} // namespace morvel::cli
