#include "app/browser/websearch.h"

namespace {

QUrl Fill(QString urlTemplate, const QString& words) {
  const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(words));
  if (urlTemplate.contains(QLatin1String("%s"))) {
    urlTemplate.replace(QLatin1String("%s"), encoded);
  } else {
    urlTemplate += encoded;
  }
  return QUrl(urlTemplate, QUrl::StrictMode);
}

bool IsWebAddress(const QUrl& url) {
  return url.isValid() && !url.host().isEmpty() &&
         (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

}  // namespace

QUrl WebSearchUrl(const QString& urlTemplate, const QString& words) {
  const QUrl url = Fill(urlTemplate, words);
  return IsWebAddress(url) ? url : Fill(QLatin1String(kDefaultSearchUrl), words);
}
