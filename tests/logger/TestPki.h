#pragma once

#include "logger/LoggerProcess.h"

#include <string>

// A throw-away certificate authority and a server certificate for
// 127.0.0.1 and localhost, made with the openssl program in `strDir`.
struct CTestPki {
  std::string strCa, strServerCert, strServerKey;
  std::string strClientCert, strClientKey; // signed by the same authority
  // A second authority that signed nothing the broker shows.
  std::string strOtherCa;

  static bool Run(const std::string &strDir, std::vector<std::string> args) {
    args.insert(args.begin(), "/usr/bin/openssl");
    CChildProcess p(strDir, std::move(args));
    return p.Wait(std::chrono::seconds(60)) == 0;
  }
  static bool MakeCa(const std::string &strDir, const std::string &strName) {
    return Run(strDir, {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                        "/CN=Tarvik test " + strName, "-keyout", strDir + "/" + strName + ".key", "-out",
                        strDir + "/" + strName + ".crt"});
  }
  bool Make(const std::string &strDir) {
    strCa = strDir + "/ca.crt";
    strOtherCa = strDir + "/other.crt";
    strServerCert = strDir + "/server.crt";
    strServerKey = strDir + "/server.key";
    strClientCert = strDir + "/client.crt";
    strClientKey = strDir + "/client.key";
    Spit(strDir + "/san.ext", "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
    return MakeCa(strDir, "ca") && MakeCa(strDir, "other") &&
           Run(strDir, {"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1", "-keyout",
                        strServerKey, "-out", strDir + "/server.csr"}) &&
           Run(strDir,
               {"x509", "-req", "-in", strDir + "/server.csr", "-CA", strCa, "-CAkey", strDir + "/ca.key",
                "-CAcreateserial", "-days", "2", "-extfile", strDir + "/san.ext", "-out", strServerCert}) &&
           Run(strDir, {"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=meter1", "-keyout",
                        strClientKey, "-out", strDir + "/client.csr"}) &&
           Run(strDir, {"x509", "-req", "-in", strDir + "/client.csr", "-CA", strCa, "-CAkey",
                        strDir + "/ca.key", "-CAcreateserial", "-days", "2", "-out", strClientCert});
  }
};
