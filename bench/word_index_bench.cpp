// Which SQLite layout keeps the remembered words smallest and answers a
// term's files quickest, and what the word index built on the winner costs:
// the words of every file under the folders given are recorded in each
// layout in turn, in batches as a search would record them, then the
// database's size is set against the bytes of text it covers and a few terms
// are looked up. Last the same through WordIndex itself.
//   word_index_bench [--text-only] [--store-only] FOLDER...
// Words here are lower-cased runs of ASCII letters and digits and of bytes
// above 127, near enough to the engine's words to weigh the layouts.
#include <sqlite3.h>
#include <stdlib.h>
#include <zstd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include "index/index_size_cap.h"
#include "index/word_index.h"

namespace {

using Clock = std::chrono::steady_clock;

struct CorpusFile {
    std::string folder, name;
    std::vector<std::string> words;  // distinct, sorted
    std::vector<std::string> reversed;
};

struct Corpus {
    std::vector<CorpusFile> files;
    std::uint64_t textBytes = 0;
    std::uint64_t postings = 0;
    std::size_t vocabulary = 0;
};

// Terms looked up in each layout: e exact, p prefix, r reversed prefix.
const std::pair<const char*, char> kTerms[] = {
    {"the", 'e'}, {"include", 'e'}, {"mutex", 'e'}, {"zzqqxxj", 'e'}, {"mut", 'p'},
    {"th", 'p'},  {"a", 'p'},       {"gni", 'r'},   {"xetum", 'r'},   {"e", 'r'},
};

bool isWordByte(unsigned char c) {
    return std::isalnum(c) || c >= 0x80;
}

std::string reversedByCodePoint(const std::string& word) {
    std::string out;
    out.reserve(word.size());
    std::size_t end = word.size();
    while (end > 0) {
        std::size_t begin = end - 1;
        while (begin > 0 && (static_cast<unsigned char>(word[begin]) & 0xC0) == 0x80) --begin;
        out.append(word, begin, end - begin);
        end = begin;
    }
    return out;
}

Corpus loadCorpus(const std::vector<std::string>& folders, bool textOnly) {
    std::vector<std::string> paths;
    for (const auto& folder : folders)
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 folder, std::filesystem::directory_options::skip_permission_denied))
            if (entry.is_regular_file() && !entry.is_symlink())
                paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    Corpus corpus;
    std::unordered_set<std::string> vocabulary;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (textOnly && bytes.substr(0, 4096).find('\0') != std::string::npos) continue;
        std::set<std::string> words;
        std::string word;
        for (char c : bytes) {
            if (isWordByte(static_cast<unsigned char>(c))) {
                word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            } else if (!word.empty()) {
                words.insert(word);
                word.clear();
            }
        }
        if (!word.empty()) words.insert(word);
        CorpusFile file;
        file.folder = std::filesystem::path(path).parent_path().string();
        file.name = std::filesystem::path(path).filename().string();
        file.words.assign(words.begin(), words.end());
        for (const auto& w : file.words) file.reversed.push_back(reversedByCodePoint(w));
        corpus.textBytes += bytes.size();
        corpus.postings += file.words.size();
        vocabulary.insert(file.words.begin(), file.words.end());
        corpus.files.push_back(std::move(file));
    }
    corpus.vocabulary = vocabulary.size();
    return corpus;
}

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

void exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql.c_str(), error);
        std::exit(1);
    }
}

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const std::string& sql) {
        check(sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr),
              db, sql.c_str());
    }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement& text(int i, const std::string& s) {
        sqlite3_bind_text(stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
        return *this;
    }
    Statement& blob(int i, const std::string& s) {
        sqlite3_bind_blob(stmt, i, s.data(), static_cast<int>(s.size()), SQLITE_STATIC);
        return *this;
    }
    Statement& integer(int i, std::int64_t v) {
        sqlite3_bind_int64(stmt, i, v);
        return *this;
    }
    bool step() {
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) return true;
        check(rc, sqlite3_db_handle(stmt), sqlite3_sql(stmt));
        return false;
    }
    void run() {
        while (step()) {
        }
        sqlite3_reset(stmt);
    }
    void reset() { sqlite3_reset(stmt); }
};

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words) {
        if (!out.empty()) out += ' ';
        out += w;
    }
    return out;
}

std::string compressed(const std::string& text) {
    std::string out(ZSTD_compressBound(text.size()), '\0');
    out.resize(ZSTD_compress(out.data(), out.size(), text.data(), text.size(), 3));
    return out;
}

void appendVarint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out += static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    out += static_cast<char>(value);
}

// One layout: how to make it, record a file, and list the files of a term.
struct Layout {
    const char* name;
    std::function<void(sqlite3*)> create;
    std::function<std::function<void(std::int64_t, const CorpusFile&)>(sqlite3*)> recorder;
    std::function<std::function<std::size_t(const std::string&, char)>(sqlite3*)> querier;
};

std::string ftsPattern(const std::string& term, bool prefix) {
    return "\"" + term + "\"" + (prefix ? "*" : "");
}

// FTS5 without content and positions; the reversed words in an index of
// their own; the words kept compressed beside, for FTS5 needs them to delete.
Layout fts5Layout() {
    return {
        "fts5 (words, reversed words)",
        [](sqlite3* db) {
            exec(db,
                 "CREATE TABLE files(id INTEGER PRIMARY KEY, words BLOB);"
                 "CREATE VIRTUAL TABLE word_fts USING fts5(w, content='', detail=none, "
                 "columnsize=0, "
                 "tokenize='ascii');"
                 "CREATE VIRTUAL TABLE reversed_fts USING fts5(w, content='', detail=none, "
                 "columnsize=0, "
                 "tokenize='ascii');");
        },
        [](sqlite3* db) {
            auto file = std::make_shared<Statement>(db, "INSERT INTO files VALUES(?,?)");
            auto words =
                std::make_shared<Statement>(db, "INSERT INTO word_fts(rowid, w) VALUES(?,?)");
            auto reversed =
                std::make_shared<Statement>(db, "INSERT INTO reversed_fts(rowid, w) VALUES(?,?)");
            return [=](std::int64_t id, const CorpusFile& f) {
                const std::string w = joined(f.words);
                const std::string r = joined(f.reversed);
                file->integer(1, id).blob(2, compressed(w + '\n' + r)).run();
                words->integer(1, id).text(2, w).run();
                reversed->integer(1, id).text(2, r).run();
            };
        },
        [](sqlite3* db) {
            auto words = std::make_shared<Statement>(
                db, "SELECT rowid FROM word_fts WHERE word_fts MATCH ?");
            auto reversed = std::make_shared<Statement>(
                db, "SELECT rowid FROM reversed_fts WHERE reversed_fts MATCH ?");
            return [=](const std::string& term, char kind) {
                Statement& s = kind == 'r' ? *reversed : *words;
                const std::string pattern = ftsPattern(term, kind != 'e');
                s.text(1, pattern);
                std::vector<std::int64_t> ids;
                while (s.step()) ids.push_back(sqlite3_column_int64(s.stmt, 0));
                s.reset();
                std::sort(ids.begin(), ids.end());
                return static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
            };
        }};
}

// FTS5 for words and reversed words, nothing kept beside: a file recorded
// again gets a new entry number, and the old entry's words stay in the index,
// answering for no file, until a compaction rebuilds it from the live entries.
Layout fts5EntriesLayout() {
    Layout layout = fts5Layout();
    layout.name = "fts5, old entries left to compaction";
    layout.create = [](sqlite3* db) {
        exec(db,
             "CREATE TABLE files(id INTEGER PRIMARY KEY, word_count INTEGER);"
             "CREATE VIRTUAL TABLE word_fts USING fts5(w, content='', detail=none, columnsize=0, "
             "tokenize='ascii');"
             "CREATE VIRTUAL TABLE reversed_fts USING fts5(w, content='', detail=none, "
             "columnsize=0, "
             "tokenize='ascii');");
    };
    layout.recorder = [](sqlite3* db) {
        auto file = std::make_shared<Statement>(db, "INSERT INTO files VALUES(?,?)");
        auto words = std::make_shared<Statement>(db, "INSERT INTO word_fts(rowid, w) VALUES(?,?)");
        auto reversed =
            std::make_shared<Statement>(db, "INSERT INTO reversed_fts(rowid, w) VALUES(?,?)");
        return [=](std::int64_t id, const CorpusFile& f) {
            file->integer(1, id).integer(2, static_cast<std::int64_t>(f.words.size())).run();
            words->integer(1, id).text(2, joined(f.words)).run();
            reversed->integer(1, id).text(2, joined(f.reversed)).run();
        };
    };
    return layout;
}

// FTS5 for the words; the reversed words only once each, beside the word
// they reverse, so a leading wildcard finds words and then their files.
Layout fts5VocabularyLayout() {
    return {
        "fts5 (words) + reversed vocabulary",
        [](sqlite3* db) {
            exec(
                db,
                "CREATE TABLE files(id INTEGER PRIMARY KEY, words BLOB);"
                "CREATE VIRTUAL TABLE word_fts USING fts5(w, content='', detail=none, "
                "columnsize=0, "
                "tokenize='ascii');"
                "CREATE TABLE reversed_words(reversed TEXT PRIMARY KEY, word TEXT) WITHOUT ROWID;");
        },
        [](sqlite3* db) {
            auto file = std::make_shared<Statement>(db, "INSERT INTO files VALUES(?,?)");
            auto words =
                std::make_shared<Statement>(db, "INSERT INTO word_fts(rowid, w) VALUES(?,?)");
            auto reversed =
                std::make_shared<Statement>(db, "INSERT OR IGNORE INTO reversed_words VALUES(?,?)");
            return [=](std::int64_t id, const CorpusFile& f) {
                const std::string w = joined(f.words);
                file->integer(1, id).blob(2, compressed(w)).run();
                words->integer(1, id).text(2, w).run();
                for (std::size_t i = 0; i < f.words.size(); ++i)
                    reversed->text(1, f.reversed[i]).text(2, f.words[i]).run();
            };
        },
        [](sqlite3* db) {
            auto words = std::make_shared<Statement>(
                db, "SELECT rowid FROM word_fts WHERE word_fts MATCH ?");
            auto reversed = std::make_shared<Statement>(
                db,
                "SELECT word FROM reversed_words WHERE reversed >= ?1 AND reversed < ?1 || x'ff'");
            return [=](const std::string& term, char kind) {
                std::vector<std::string> patterns;
                if (kind == 'r') {
                    reversed->text(1, term);
                    while (reversed->step())
                        patterns.push_back(ftsPattern(
                            reinterpret_cast<const char*>(sqlite3_column_text(reversed->stmt, 0)),
                            false));
                    reversed->reset();
                } else {
                    patterns.push_back(ftsPattern(term, kind == 'p'));
                }
                std::vector<std::int64_t> ids;
                for (const auto& pattern : patterns) {
                    words->text(1, pattern);
                    while (words->step()) ids.push_back(sqlite3_column_int64(words->stmt, 0));
                    words->reset();
                }
                std::sort(ids.begin(), ids.end());
                return static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
            };
        }};
}

// Plain tables: each word once with a number, each reversed word once
// beside that number, and a (word, file) row per posting; the file keeps its
// word numbers so its rows can be found again to delete.
Layout postingsLayout() {
    return {
        "plain postings table",
        [](sqlite3* db) {
            exec(db,
                 "CREATE TABLE files(id INTEGER PRIMARY KEY, word_ids BLOB);"
                 "CREATE TABLE words(word TEXT PRIMARY KEY, id INTEGER NOT NULL) WITHOUT ROWID;"
                 "CREATE TABLE reversed_words(reversed TEXT PRIMARY KEY, id INTEGER NOT NULL) "
                 "WITHOUT ROWID;"
                 "CREATE TABLE postings(word_id INTEGER, file_id INTEGER, PRIMARY KEY(word_id, "
                 "file_id)) "
                 "WITHOUT ROWID;");
        },
        [](sqlite3* db) {
            auto file = std::make_shared<Statement>(db, "INSERT INTO files VALUES(?,?)");
            auto find = std::make_shared<Statement>(db, "SELECT id FROM words WHERE word = ?");
            auto add = std::make_shared<Statement>(db, "INSERT INTO words VALUES(?,?)");
            auto addReversed =
                std::make_shared<Statement>(db, "INSERT OR IGNORE INTO reversed_words VALUES(?,?)");
            auto posting = std::make_shared<Statement>(db, "INSERT INTO postings VALUES(?,?)");
            auto next = std::make_shared<std::int64_t>(0);
            return [=](std::int64_t id, const CorpusFile& f) {
                std::vector<std::int64_t> ids;
                for (std::size_t i = 0; i < f.words.size(); ++i) {
                    find->text(1, f.words[i]);
                    std::int64_t wordId;
                    if (find->step()) {
                        wordId = sqlite3_column_int64(find->stmt, 0);
                        find->reset();
                    } else {
                        find->reset();
                        wordId = ++*next;
                        add->text(1, f.words[i]).integer(2, wordId).run();
                        addReversed->text(1, f.reversed[i]).integer(2, wordId).run();
                    }
                    posting->integer(1, wordId).integer(2, id).run();
                    ids.push_back(wordId);
                }
                std::sort(ids.begin(), ids.end());
                std::string blob;
                std::int64_t last = 0;
                for (auto w : ids)
                    appendVarint(blob, static_cast<std::uint64_t>(w - last)), last = w;
                file->integer(1, id).blob(2, blob).run();
            };
        },
        [](sqlite3* db) {
            auto exact = std::make_shared<Statement>(db,
                                                     "SELECT file_id FROM postings WHERE word_id = "
                                                     "(SELECT id FROM words WHERE word = ?)");
            auto prefix =
                std::make_shared<Statement>(db,
                                            "SELECT file_id FROM words JOIN postings ON word_id = "
                                            "id WHERE word >= ?1 AND word < ?1 || "
                                            "x'ff'");
            auto reversed =
                std::make_shared<Statement>(db,
                                            "SELECT file_id FROM reversed_words JOIN postings ON "
                                            "word_id = id WHERE reversed >= ?1 AND "
                                            "reversed < ?1 || x'ff'");
            return [=](const std::string& term, char kind) {
                Statement& s = kind == 'e' ? *exact : kind == 'p' ? *prefix : *reversed;
                s.text(1, term);
                std::vector<std::int64_t> ids;
                while (s.step()) ids.push_back(sqlite3_column_int64(s.stmt, 0));
                s.reset();
                std::sort(ids.begin(), ids.end());
                return static_cast<std::size_t>(std::unique(ids.begin(), ids.end()) - ids.begin());
            };
        }};
}

std::uint64_t databaseBytes(sqlite3* db) {
    exec(db, "PRAGMA wal_checkpoint(TRUNCATE)");
    Statement pages(db, "PRAGMA page_count");
    pages.step();
    const auto count = sqlite3_column_int64(pages.stmt, 0);
    Statement size(db, "PRAGMA page_size");
    size.step();
    return static_cast<std::uint64_t>(count * sqlite3_column_int64(size.stmt, 0));
}

void measure(const Layout& layout, const Corpus& corpus, const std::string& folder) {
    const std::string path = folder + "/index.sqlite";
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    check(sqlite3_open(path.c_str(), &db), db, "open");
    exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA secure_delete=OFF");
    layout.create(db);
    const auto began = Clock::now();
    {
        auto record = layout.recorder(db);
        constexpr std::size_t batch = 200;
        for (std::size_t first = 0; first < corpus.files.size(); first += batch) {
            exec(db, "BEGIN IMMEDIATE");
            for (std::size_t i = first; i < std::min(first + batch, corpus.files.size()); ++i)
                record(static_cast<std::int64_t>(i + 1), corpus.files[i]);
            exec(db, "COMMIT");
        }
    }
    const double recordSeconds = std::chrono::duration<double>(Clock::now() - began).count();
    const std::uint64_t bytes = databaseBytes(db);
    {
        Statement tables(
            db, "SELECT name, sum(pgsize) FROM dbstat GROUP BY name ORDER BY 2 DESC LIMIT 6");
        std::string parts;
        while (tables.step())
            parts += std::string(" ") +
                     reinterpret_cast<const char*>(sqlite3_column_text(tables.stmt, 0)) + " " +
                     std::to_string(sqlite3_column_int64(tables.stmt, 1) / 1000000) + " MB;";
        std::printf("  %s\n", parts.c_str());
    }
    std::printf(
        "%-36s %8.1f MB  %5.1f %% of text  %6.2f bytes/posting  record %6.2f s (%5.1f us/file)\n",
        layout.name, bytes / 1e6, 100.0 * bytes / corpus.textBytes,
        static_cast<double>(bytes) / corpus.postings, recordSeconds,
        1e6 * recordSeconds / corpus.files.size());
    auto files = layout.querier(db);
    for (const auto& [term, kind] : kTerms) {
        files(term, kind);  // the first look warms the page cache
        const auto start = Clock::now();
        std::size_t found = 0;
        constexpr int rounds = 5;
        for (int i = 0; i < rounds; ++i) found = files(term, kind);
        const double ms =
            1e3 * std::chrono::duration<double>(Clock::now() - start).count() / rounds;
        const char* shape = kind == 'e' ? "" : kind == 'p' ? "*" : "";
        std::printf("    %s%s%s%-10s %6zu files  %8.3f ms\n", kind == 'r' ? "*" : "", term, shape,
                    "", found, ms);
    }
    if (std::string(layout.name).find("compaction") != std::string::npos) {
        // A tenth of the files recorded again elsewhere: their old entries are dead.
        exec(db, "DELETE FROM files WHERE id % 10 = 0");
        const auto start = Clock::now();
        exec(db,
             "CREATE VIRTUAL TABLE temp.word_terms USING fts5vocab(main, word_fts, instance);"
             "CREATE VIRTUAL TABLE temp.reversed_terms USING fts5vocab(main, reversed_fts, "
             "instance);"
             "BEGIN IMMEDIATE;"
             "CREATE VIRTUAL TABLE word_fts_new USING fts5(w, content='', detail=none, "
             "columnsize=0, "
             "tokenize='ascii');"
             "INSERT INTO word_fts_new(rowid, w) SELECT doc, group_concat(term, ' ') FROM "
             "temp.word_terms "
             "WHERE doc IN (SELECT id FROM files) GROUP BY doc;"
             "CREATE VIRTUAL TABLE reversed_fts_new USING fts5(w, content='', detail=none, "
             "columnsize=0, "
             "tokenize='ascii');"
             "INSERT INTO reversed_fts_new(rowid, w) SELECT doc, group_concat(term, ' ') FROM "
             "temp.reversed_terms WHERE doc IN (SELECT id FROM files) GROUP BY doc;"
             "DROP TABLE temp.word_terms; DROP TABLE temp.reversed_terms;"
             "DROP TABLE word_fts; DROP TABLE reversed_fts;"
             "ALTER TABLE word_fts_new RENAME TO word_fts; ALTER TABLE reversed_fts_new RENAME TO "
             "reversed_fts;"
             "COMMIT; VACUUM;");
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const std::uint64_t after = databaseBytes(db);
        std::printf("  compaction of 90 %% live entries: %.2f s, %.1f MB after\n", seconds,
                    after / 1e6);
        auto again = layout.querier(db);
        std::printf("    mutex after compaction: %zu files\n", again("mutex", 'e'));
    }
    sqlite3_close(db);
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The store as a search uses it: batches from a writer, a lookup per file, a
// term's entries per search word.
void measureStore(const Corpus& corpus, const std::string& folder) {
    using namespace tessaly;
    std::filesystem::remove_all(folder + "/store");
    WordIndex index(folder + "/store");
    if (!index.usable()) {
        std::fprintf(stderr, "%s\n", index.takeNotice().c_str());
        return;
    }
    auto recordAll = [&](std::int64_t when) {
        constexpr std::size_t kBatch = 200;
        for (std::size_t first = 0; first < corpus.files.size(); first += kBatch) {
            std::vector<FileWords> batch;
            for (std::size_t i = first; i < std::min(first + kBatch, corpus.files.size()); ++i) {
                const CorpusFile& f = corpus.files[i];
                FileWords file;
                file.folder = f.folder;
                file.name = f.name;
                file.version.inode = i;
                file.recordedNanoseconds = when;
                for (const std::string& word : f.words) file.words.add(word);
                for (const std::string& word : f.reversed) file.reversedWords.add(word);
                batch.push_back(std::move(file));
            }
            if (const Failure failure = index.record(batch))
                std::fprintf(stderr, "%s\n", failure.describe().c_str());
        }
    };
    auto start = Clock::now();
    recordAll(1);
    const double recordSeconds = secondsSince(start);
    index.keepWithin(kMostIndexBytes);  // folds the log in, so the size is the file's
    const IndexInfo info = index.info();
    std::printf(
        "%-36s %8.1f MB  %5.1f %% of text  %6.2f bytes/posting  record %6.2f s (%5.1f us/file)\n",
        "WordIndex", info.bytesOnDisk / 1e6, 100.0 * info.bytesOnDisk / corpus.textBytes,
        static_cast<double>(info.bytesOnDisk) / corpus.postings, recordSeconds,
        1e6 * recordSeconds / corpus.files.size());
    start = Clock::now();
    std::size_t found = 0;
    for (const CorpusFile& f : corpus.files) found += index.lookup(f.folder, f.name).has_value();
    std::printf("    lookup by folder and name: %.1f us a file (%zu found)\n",
                1e6 * secondsSince(start) / corpus.files.size(), found);
    for (const auto& [term, kind] : kTerms) {
        const IndexTerm indexTerm{term, kind == 'e'   ? TermShape::word
                                        : kind == 'p' ? TermShape::prefix
                                                      : TermShape::reversedPrefix};
        index.filesHolding(indexTerm);
        start = Clock::now();
        constexpr int kRounds = 5;
        std::size_t files = 0;
        for (int i = 0; i < kRounds; ++i) files = index.filesHolding(indexTerm)->size();
        std::printf("    %s%s%s  %6zu files  %8.3f ms\n", kind == 'r' ? "*" : "", term,
                    kind == 'p' ? "*" : "", files, 1e3 * secondsSince(start) / kRounds);
    }
    // Every file recorded twice more: dead words outweigh live ones.
    start = Clock::now();
    recordAll(2);
    recordAll(3);
    std::printf("    recorded again twice: %.2f s, %.1f MB\n", secondsSince(start),
                index.info().bytesOnDisk / 1e6);
    start = Clock::now();
    index.keepWithin(kMostIndexBytes);
    std::printf("    compaction: %.2f s, %.1f MB after\n", secondsSince(start),
                index.info().bytesOnDisk / 1e6);
    start = Clock::now();
    index.keepWithin(info.bytesOnDisk / 2);
    std::printf("    cap at half: %.2f s, %.1f MB and %llu files after\n", secondsSince(start),
                index.info().bytesOnDisk / 1e6,
                static_cast<unsigned long long>(index.info().files));
}

}  // namespace

int main(int argc, char** argv) {
    bool textOnly = false, storeOnly = false;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--text-only") == 0)
            textOnly = true;
        else if (std::strcmp(argv[i], "--store-only") == 0)
            storeOnly = true;
        else
            folders.push_back(argv[i]);
    }
    if (folders.empty()) {
        std::fprintf(stderr, "usage: word_index_bench [--text-only] [--store-only] FOLDER...\n");
        return 2;
    }
    const Corpus corpus = loadCorpus(folders, textOnly);
    std::printf("%zu files, %.1f MB of text, %llu postings, %zu distinct words\n",
                corpus.files.size(), corpus.textBytes / 1e6,
                static_cast<unsigned long long>(corpus.postings), corpus.vocabulary);
    std::string scratch =
        (std::filesystem::temp_directory_path() / "tessaly-index-bench-XXXXXX").string();
    if (!mkdtemp(scratch.data())) return 1;
    if (!storeOnly)
        for (const Layout& layout :
             {fts5EntriesLayout(), fts5Layout(), fts5VocabularyLayout(), postingsLayout()})
            measure(layout, corpus, scratch);
    measureStore(corpus, scratch);
    std::filesystem::remove_all(scratch);
    return 0;
}
