#include "collect/payment_context.h"

#include "session/app_context.h"

namespace dajdor::collect {

PaymentContext PaymentContext::of(AppContext& context) {
  if (!context.database) throw engine::Error("Baza de date nu este deschisa.");
  return {*context.database,
          context.paths.dataDir,
          SettingsFile(context.paths.dataFile(SettingsFile::kFileName)),
          context.user,
          context.rates,
          context.clock.now(),
          kWorkYear};
}

}  // namespace dajdor::collect
