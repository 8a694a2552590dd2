// fake_upstream DIR LOG: a stand-in for a quote source and news servers on 127.0.0.1, for the
// end-to-end test. GET /NAME serves the file DIR/NAME (JSON, feeds, HTML by its extension);
// every request is appended to LOG as "GET /NAME <status>", so a test can count them. Prints
// "listening on 127.0.0.1:PORT" once it listens on a free port.
#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: fake_upstream DIR LOG\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  std::ofstream log(argv[2], std::ios::app);
  std::mutex mutex;
  httplib::Server server;
  server.set_logger([&](const httplib::Request& req, const httplib::Response& res) {
    std::lock_guard lock(mutex);
    log << req.method << ' ' << req.path << ' ' << res.status << std::endl;
  });
  server.Get(R"(/([\w.^=-]+))", [&](const httplib::Request& req, httplib::Response& res) {
    const std::string name = req.matches[1];
    std::ifstream in(dir + "/" + name, std::ios::binary);
    if (!in || name.starts_with(".")) {
      res.status = 404;
      return;
    }
    std::ostringstream body;
    body << in.rdbuf();
    const char* type = name.ends_with(".json")   ? "application/json"
                       : name.ends_with(".html") ? "text/html"
                                                 : "application/xml";
    res.set_content(body.str(), type);
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  if (port <= 0) return 1;
  std::printf("listening on 127.0.0.1:%d\n", port);
  std::fflush(stdout);
  return server.listen_after_bind() ? 0 : 1;
}
