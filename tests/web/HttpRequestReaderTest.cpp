// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/server/HttpRequestReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Verdict = HttpRequestReader::Verdict;

QByteArray repeated(char c, qsizetype count) {
    return QByteArray(count, c);
}

QByteArray withHeaderLines(int count) {
    QByteArray request = "GET / HTTP/1.1\r\n";
    for (int i = 0; i < count; ++i)
        request += "X-Line-" + QByteArray::number(i) + ": v\r\n";
    return request + "\r\n";
}

struct ReaderCase {
    std::string name;
    QByteArray input;
    Verdict afterInput;
    // What the client shutting down its sending side makes of it then.
    Verdict afterHalfClose;
};

// Every case is fed whole, byte by byte, and (when short) split in two at every position: the
// verdict may not depend on how the bytes arrive.
std::vector<QByteArray> deliveries(const QByteArray& input, qsizetype split) {
    return {input.first(split), input.sliced(split)};
}

Verdict feedInPieces(HttpRequestReader& reader, const std::vector<QByteArray>& pieces) {
    Verdict verdict = reader.verdict();
    for (const QByteArray& piece : pieces)
        verdict = reader.feed(piece);
    return verdict;
}

const std::vector<ReaderCase>& readerCases() {
    static const std::vector<ReaderCase> cases = {
        {"get", "GET / HTTP/1.1\r\n\r\n", Verdict::Reply, Verdict::Reply},
        {"get_any_path_lf_only", "GET /a/b?c=d#e HTTP/1.0\n\n", Verdict::Reply, Verdict::Reply},
        {"method_ignores_case", "gEt / HTTP/1.1\r\n\r\n", Verdict::Reply, Verdict::Reply},
        {"head_with_headers", "HEAD / HTTP/1.1\r\nHost: a\r\nCookie: x=1\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"headers_not_ended", "GET / HTTP/1.1\r\nHost: a\r\n", Verdict::NeedMore,
         Verdict::CloseWithoutReply},
        {"request_line_not_ended", "GET / HTTP/1.1", Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"nothing_sent", "", Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"put_refused_before_headers", "PUT / HTTP/1.1\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"delete_refused", "DELETE / HTTP/1.1\r\n\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"method_prefix_is_not_the_method", "GETS / HTTP/1.1\r\n\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"no_blank", "GET\r\n\r\n", Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"empty_request_line", "\r\nGET / HTTP/1.1\r\n\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"leading_blank_empty_method", " GET / HTTP/1.1\r\n\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"one_blank_is_enough", "GET /\r\n\r\n", Verdict::Reply, Verdict::Reply},
        {"bare_cr_inside_a_line", "GET / HTTP/1.1\r\nX: a\rb\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"post_with_length_complete", "POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nabcde",
         Verdict::Reply, Verdict::Reply},
        {"post_with_length_short", "POST / HTTP/1.1\r\nContent-Length: 5\r\n\r\nabc",
         Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"length_header_ignores_case", "GET / HTTP/1.1\r\ncontent-LENGTH :  2 \r\n\r\nab",
         Verdict::Reply, Verdict::Reply},
        {"get_body_is_read_too", "GET / HTTP/1.1\r\nContent-Length: 4\r\n\r\nabc",
         Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"last_length_wins", "GET / HTTP/1.1\r\nContent-Length: 9\r\nContent-Length: 1\r\n\r\nx",
         Verdict::Reply, Verdict::Reply},
        {"post_without_length_until_half_close", "POST / HTTP/1.1\r\n\r\nsome body",
         Verdict::ReadUntilHalfClose, Verdict::Reply},
        {"post_with_unreadable_length", "POST / HTTP/1.1\r\nContent-Length: 5x\r\n\r\nbody",
         Verdict::ReadUntilHalfClose, Verdict::Reply},
        {"get_with_unreadable_length", "GET / HTTP/1.1\r\nContent-Length: five\r\n\r\n",
         Verdict::Reply, Verdict::Reply},
        {"post_zero_length", "POST / HTTP/1.1\r\nContent-Length: 0\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"post_negative_length", "POST / HTTP/1.1\r\nContent-Length: -3\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"length_at_body_cap", "POST / HTTP/1.1\r\nContent-Length: 1048576\r\n\r\n",
         Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"length_over_body_cap", "POST / HTTP/1.1\r\nContent-Length: 1048577\r\n\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"length_beyond_qint64",
         "GET / HTTP/1.1\r\nContent-Length: 99999999999999999999999\r\n\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"basic_authorization", "GET / HTTP/1.1\r\nAuthorization: basic dXNlcjox\r\n\r\n",
         Verdict::Reply, Verdict::Reply},
        {"basic_scheme_alone", "GET / HTTP/1.1\r\nauthorization:Basic\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"bearer_authorization", "GET / HTTP/1.1\r\nAuthorization: Bearer abc\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"empty_authorization", "GET / HTTP/1.1\r\nAuthorization:\r\n\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"basic_as_prefix_of_scheme", "GET / HTTP/1.1\r\nAuthorization: Basically x\r\n\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"header_without_colon_ignored", "GET / HTTP/1.1\r\nnonsense\r\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"bytes_after_the_request_ignored", "GET / HTTP/1.1\r\n\r\nPUT / HTTP/1.1\r\n\r\n",
         Verdict::Reply, Verdict::Reply},
        {"hundred_header_lines", withHeaderLines(100), Verdict::Reply, Verdict::Reply},
        {"hundred_and_one_header_lines", withHeaderLines(101), Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"request_line_of_longest_length",
         "GET /" + repeated('a', 16384 - 14) + " HTTP/1.1\r\n\r\n", Verdict::Reply, Verdict::Reply},
        {"request_line_one_too_long", "GET /" + repeated('a', 16385 - 14) + " HTTP/1.1\r\n\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
        {"longest_line_then_cr_waiting_for_lf", "GET /" + repeated('a', 16384 - 14) + " HTTP/1.1\r",
         Verdict::NeedMore, Verdict::CloseWithoutReply},
        {"over_long_line_refused_before_its_end", repeated('a', 16385), Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"header_line_of_longest_length",
         "GET / HTTP/1.1\r\nX: " + repeated('b', 16384 - 3) + "\n\r\n", Verdict::Reply,
         Verdict::Reply},
        {"header_line_one_too_long_lf_only",
         "GET / HTTP/1.1\r\nX: " + repeated('b', 16385 - 3) + "\n\r\n", Verdict::CloseWithoutReply,
         Verdict::CloseWithoutReply},
        {"header_line_one_too_long", "GET / HTTP/1.1\r\nX: " + repeated('b', 16385 - 3) + "\r\n",
         Verdict::CloseWithoutReply, Verdict::CloseWithoutReply},
    };
    return cases;
}

class ReaderVerdict : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderVerdict, DoesNotDependOnHowTheBytesArrive) {
    const ReaderCase& c = GetParam();
    std::vector<std::vector<QByteArray>> ways = {{c.input}};
    std::vector<QByteArray> bytes;
    for (const char b : c.input)
        bytes.push_back(QByteArray(1, b));
    ways.push_back(bytes);
    if (c.input.size() < 2000) {
        for (qsizetype split = 0; split <= c.input.size(); ++split)
            ways.push_back(deliveries(c.input, split));
    }
    for (std::size_t way = 0; way < ways.size(); ++way) {
        HttpRequestReader reader;
        EXPECT_EQ(feedInPieces(reader, ways[way]), c.afterInput) << "delivery " << way;
        EXPECT_EQ(reader.endOfInput(), c.afterHalfClose) << "delivery " << way;
        EXPECT_EQ(reader.verdict(), c.afterHalfClose);
    }
}

INSTANTIATE_TEST_SUITE_P(Requests, ReaderVerdict, testing::ValuesIn(readerCases()),
                         [](const testing::TestParamInfo<ReaderCase>& param) {
                             return param.param.name;
                         });

struct RequestLineCase {
    QByteArray line;
    QByteArray method;
    QByteArray target;
    QByteArray version;
};

TEST(HttpRequestReader, SplitsTheRequestLineAtItsFirstAndLastBlank) {
    const std::vector<RequestLineCase> cases = {
        {"GET /manage HTTP/1.1", "GET", "/manage", "HTTP/1.1"},
        {"post /a b c HTTP/1.0", "post", "/a b c", "HTTP/1.0"},
        {"HEAD   /spaced   HTTP/1.1", "HEAD", "/spaced", "HTTP/1.1"},
        {"GET /", "GET", "", "/"},
        {"GET  ", "GET", "", ""},
    };
    for (const RequestLineCase& c : cases) {
        HttpRequestReader reader;
        reader.feed(c.line + "\r\n");
        EXPECT_EQ(reader.method(), c.method) << c.line.constData();
        EXPECT_EQ(reader.target(), c.target) << c.line.constData();
        EXPECT_EQ(reader.version(), c.version) << c.line.constData();
    }
}

TEST(HttpRequestReader, LimitsComeFromItsCaller) {
    HttpRequestLimits limits;
    limits.maxHeaderLines = 2;
    limits.maxBodyBytes = 10;
    const std::vector<std::pair<QByteArray, Verdict>> cases = {
        {withHeaderLines(2), Verdict::Reply},
        {withHeaderLines(3), Verdict::CloseWithoutReply},
        {"POST / HTTP/1.1\r\nContent-Length: 10\r\n\r\n0123456789", Verdict::Reply},
        {"POST / HTTP/1.1\r\nContent-Length: 11\r\n\r\n", Verdict::CloseWithoutReply},
        {"POST / HTTP/1.1\r\n\r\n0123456789", Verdict::ReadUntilHalfClose},
        {"POST / HTTP/1.1\r\n\r\n0123456789A", Verdict::CloseWithoutReply},
    };
    for (const auto& [input, verdict] : cases) {
        HttpRequestReader reader(limits);
        EXPECT_EQ(reader.feed(input), verdict) << input.constData();
    }
}

TEST(HttpRequestReader, HoldsAtMostOneLineWhateverItIsSent) {
    HttpRequestReader reader;
    const QByteArray chunk(4096, 'a');
    qsizetype fed = 0;
    while (reader.verdict() == Verdict::NeedMore && fed < (qsizetype(1) << 20)) {
        reader.feed(chunk);
        fed += chunk.size();
        EXPECT_LE(reader.bufferedBytes(), HttpRequestLimits::MaxLineLength + 1);
    }
    EXPECT_EQ(reader.verdict(), Verdict::CloseWithoutReply);
    EXPECT_LE(fed, HttpRequestLimits::MaxLineLength + chunk.size());
}

TEST(HttpRequestReader, ABodyReadUntilHalfCloseKeepsNothing) {
    HttpRequestReader reader;
    reader.feed("POST / HTTP/1.1\r\n\r\n");
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(reader.feed(QByteArray(4096, '\n')), Verdict::ReadUntilHalfClose);
    EXPECT_EQ(reader.bufferedBytes(), 0);
    EXPECT_EQ(reader.endOfInput(), Verdict::Reply);
}

} // namespace
