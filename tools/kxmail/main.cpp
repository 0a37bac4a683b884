// kxmail: the mail sender the client starts for POST.BAT's "@blat.exe".
//
//   kxmail BODY -t TO -s SUBJECT -f FROM -server HOST[:PORT] -attach FILE [-attach FILE ...]
//          [-u LOGIN] [-tls auto|starttls|ssl|no] [-cafile FILE] [-timeout SECONDS]
//
// Sends one mail over SMTP: the body file (CP437) as UTF-8 text, each FILE
// attached in base64 under its base name (a cup day mails two turns). With -u the password is read from standard
// input, so it never shows in a process list or in the report. Everything it
// says goes to standard output (the client's post.log); a failure is a line
// starting with "Error: " and a non-zero exit code. Exit 0 only once the server
// accepted the data.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/cp437.h"

namespace {

constexpr long CONNECT_SECONDS = 30;
constexpr long TOTAL_SECONDS = 300;

struct Options {
    std::string body, to, subject, from, server, login, tls = "auto", cafile;
    std::vector<std::string> attach;
    long timeout = TOTAL_SECONDS;
};

struct Failure {
    std::string text;
    int code;
};

[[noreturn]] void fail(const std::string& text, int code = 1) { throw Failure{text, code}; }

std::optional<std::string> slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return std::nullopt;
    std::string s((std::istreambuf_iterator<char>(f)), {});
    if (f.bad()) return std::nullopt;
    return s;
}

// A mail address the way it may appear in the envelope and the header: one
// printable token with an "@", nothing that could end a header line or an
// SMTP command.
bool plain_address(const std::string& a) {
    if (a.empty() || a.size() > 254 || a.front() == '-' || a.find('@') == std::string::npos) return false;
    return std::all_of(a.begin(), a.end(), [](unsigned char c) {
        return c > 32 && c < 127 && !std::strchr("<>\"'`;&|^%$()\\,", c);
    });
}

struct Server {
    std::string host;
    long port = 0;  // 0 = the mode's default
};

Server parse_server(const std::string& s) {
    Server r;
    std::string port;
    auto colon = s.find(':');
    r.host = s.substr(0, colon);
    if (colon != std::string::npos) {
        port = s.substr(colon + 1);
        if (port.empty() || port.size() > 5 || !std::all_of(port.begin(), port.end(), ::isdigit))
            fail("bad port in server \"" + s + "\"", 2);
        r.port = std::stol(port);
        if (r.port < 1 || r.port > 65535) fail("bad port in server \"" + s + "\"", 2);
    }
    if (r.host.empty() || r.host.size() > 253 || r.host.front() == '-' ||
        !std::all_of(r.host.begin(), r.host.end(), [](unsigned char c) { return std::isalnum(c) || c == '.' || c == '-'; }))
        fail("bad server name \"" + s + "\"", 2);
    return r;
}

Options parse(int argc, char** argv) {
    Options o;
    bool seen_body = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) fail("option " + a + " needs a value", 2);
            return argv[++i];
        };
        if (a == "-t") o.to = value();
        else if (a == "-s") o.subject = value();
        else if (a == "-f") o.from = value();
        else if (a == "-server") o.server = value();
        else if (a == "-attach") o.attach.push_back(value());
        else if (a == "-u") o.login = value();
        else if (a == "-tls") o.tls = value();
        else if (a == "-cafile") o.cafile = value();
        else if (a == "-timeout") {
            std::string v = value();
            if (v.empty() || v.size() > 5 || !std::all_of(v.begin(), v.end(), ::isdigit) || std::stol(v) < 1)
                fail("bad timeout \"" + v + "\"", 2);
            o.timeout = std::stol(v);
        } else if (!a.empty() && a[0] == '-') fail("unknown option " + a, 2);
        else if (!seen_body) { o.body = a; seen_body = true; }
        else fail("unexpected argument \"" + a + "\"", 2);
    }
    if (!seen_body) fail("no body file given", 2);
    if (!plain_address(o.to)) fail("bad recipient \"" + o.to + "\"", 2);
    if (!plain_address(o.from)) fail("bad sender \"" + o.from + "\"", 2);
    if (o.server.empty()) fail("no server given (-server)", 2);
    if (o.attach.empty()) fail("no attachment given (-attach)", 2);
    if (o.tls != "auto" && o.tls != "starttls" && o.tls != "ssl" && o.tls != "no")
        fail("bad -tls mode \"" + o.tls + "\" (auto, starttls, ssl or no)", 2);
    if (o.subject.find_first_of("\r\n") != std::string::npos) fail("line break in the subject", 2);
    if (o.login.find_first_of("\r\n") != std::string::npos) fail("line break in the login", 2);
    return o;
}

std::string base64(const std::string& in, bool wrap) {
    static const char* T = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t line = 0;
    for (std::size_t i = 0; i < in.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(in[i]) << 16;
        if (i + 1 < in.size()) v |= static_cast<unsigned char>(in[i + 1]) << 8;
        if (i + 2 < in.size()) v |= static_cast<unsigned char>(in[i + 2]);
        out += T[(v >> 18) & 63];
        out += T[(v >> 12) & 63];
        out += i + 1 < in.size() ? T[(v >> 6) & 63] : '=';
        out += i + 2 < in.size() ? T[v & 63] : '=';
        if (wrap && (line += 4) >= 76) {
            out += "\r\n";
            line = 0;
        }
    }
    if (wrap && line) out += "\r\n";
    return out;
}

// A header text: plain when it is printable ASCII, else one encoded word.
std::string header_text(const std::string& utf8) {
    bool plain = std::all_of(utf8.begin(), utf8.end(), [](unsigned char c) { return c >= 32 && c < 127; });
    if (plain && utf8.find("=?") == std::string::npos) return utf8;
    return "=?UTF-8?B?" + base64(utf8, false) + "?=";
}

std::string base_name(const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string b = slash == std::string::npos ? path : path.substr(slash + 1);
    for (char& c : b)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126 || c == '"' || c == '\\') c = '_';
    return b.empty() ? std::string("attachment") : b;
}

// Text lines of the body with CR LF ends, whatever the file used.
std::string crlf_lines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\r\n";
        } else if (c == '\n') out += "\r\n";
        else if (c == 26 && i + 1 == text.size()) break;  // DOS end-of-file mark
        else out += c;
    }
    if (!out.empty() && out.back() != '\n') out += "\r\n";
    return out;
}

struct Attachment {
    std::string name, data;
};

std::string build_message(const Options& o, const std::string& body, const std::vector<Attachment>& attachments) {
    std::mt19937_64 rng(std::random_device{}());
    char boundary[64];
    std::snprintf(boundary, sizeof boundary, "=_kxmail_%016llx", static_cast<unsigned long long>(rng()));
    char date[64];
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::gmtime_r(&now, &tm);
    static const char* DAYS[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* MONTHS[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::snprintf(date, sizeof date, "%s, %02d %s %04d %02d:%02d:%02d +0000", DAYS[tm.tm_wday], tm.tm_mday,
                  MONTHS[tm.tm_mon], tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    std::string m;
    m += "From: <" + o.from + ">\r\n";
    m += "To: <" + o.to + ">\r\n";
    m += "Subject: " + header_text(korax::CP437_TO_UTF8(o.subject)) + "\r\n";
    m += std::string("Date: ") + date + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    m += std::string("Content-Type: multipart/mixed; boundary=\"") + boundary + "\"\r\n";
    m += "\r\n";
    m += std::string("--") + boundary + "\r\n";
    m += "Content-Type: text/plain; charset=UTF-8\r\n";
    m += "Content-Transfer-Encoding: base64\r\n\r\n";
    m += base64(crlf_lines(korax::CP437_TO_UTF8(body)), true);
    for (const Attachment& a : attachments) {
        m += std::string("--") + boundary + "\r\n";
        m += "Content-Type: application/octet-stream; name=\"" + a.name + "\"\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "Content-Disposition: attachment; filename=\"" + a.name + "\"\r\n\r\n";
        m += base64(a.data, true);
    }
    m += std::string("--") + boundary + "--\r\n";
    return m;
}

struct Upload {
    const std::string* data;
    std::size_t pos = 0;
};

std::size_t read_chunk(char* buf, std::size_t size, std::size_t n, void* user) {
    auto* u = static_cast<Upload*>(user);
    std::size_t k = std::min(size * n, u->data->size() - u->pos);
    std::memcpy(buf, u->data->data() + u->pos, k);
    u->pos += k;
    return k;
}

// The password: standard input up to its end, without the final line break.
std::string read_password() {
    std::string pw((std::istreambuf_iterator<char>(std::cin)), {});
    while (!pw.empty() && (pw.back() == '\n' || pw.back() == '\r')) pw.pop_back();
    if (pw.find_first_of("\r\n") != std::string::npos) pw = pw.substr(0, pw.find_first_of("\r\n"));
    return pw;
}

int send(const Options& o) {
    Server srv = parse_server(o.server);
    std::optional<std::string> body = slurp(o.body);
    if (!body) fail("cannot read the body file \"" + o.body + "\"");
    std::vector<Attachment> attachments;
    std::string names;
    for (const std::string& path : o.attach) {
        std::optional<std::string> data = slurp(path);
        if (!data) fail("cannot read the attachment \"" + path + "\"");
        attachments.push_back({base_name(path), std::move(*data)});
        names += (names.empty() ? "" : ", ") + attachments.back().name;
    }
    std::string password;
    if (!o.login.empty()) password = read_password();

    const bool ssl = o.tls == "ssl" || (o.tls == "auto" && srv.port == 465);
    const long port = srv.port ? srv.port : (ssl ? 465 : 25);
    const std::string url = std::string(ssl ? "smtps://" : "smtp://") + srv.host + ":" + std::to_string(port);
    std::string message = build_message(o, *body, attachments);

    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) fail("cannot start the mail library");
    CURL* c = curl_easy_init();
    if (!c) fail("cannot start the mail library");
    char err[CURL_ERROR_SIZE] = {0};
    Upload up{&message};
    curl_slist* rcpt = curl_slist_append(nullptr, ("<" + o.to + ">").c_str());
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, err);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, std::min(CONNECT_SECONDS, o.timeout));
    curl_easy_setopt(c, CURLOPT_TIMEOUT, o.timeout);
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, ("<" + o.from + ">").c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, read_chunk);
    curl_easy_setopt(c, CURLOPT_READDATA, &up);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!o.cafile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, o.cafile.c_str());
    if (!ssl) {
        // A login never travels in the clear unless the trainer chose "no".
        long use = o.tls == "no" ? CURLUSESSL_NONE
                   : (o.tls == "starttls" || !o.login.empty()) ? CURLUSESSL_ALL
                                                               : CURLUSESSL_TRY;
        curl_easy_setopt(c, CURLOPT_USE_SSL, use);
    }
    if (!o.login.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, o.login.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.c_str());
    }
    std::cout << "Sending " << names << " to " << o.to << " via " << srv.host << ":" << port << std::endl;
    CURLcode rc = curl_easy_perform(c);
    curl_slist_free_all(rcpt);
    curl_easy_cleanup(c);
    curl_global_cleanup();
    std::fill(password.begin(), password.end(), '\0');
    if (rc != CURLE_OK) {
        std::string text = err[0] ? err : curl_easy_strerror(rc);
        fail(std::string(curl_easy_strerror(rc)) + (text != curl_easy_strerror(rc) ? ": " + text : ""));
    }
    std::cout << "Mail accepted by " << srv.host << ":" << port << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return send(parse(argc, argv));
    } catch (const Failure& f) {
        std::cout << "Error: " << f.text << std::endl;
        return f.code;
    } catch (const std::exception& e) {
        std::cout << "Error: " << e.what() << std::endl;
        return 1;
    }
}
