#include "testing/standin_proxy/standin_service.h"

int main() {
    return RunStandinService();
}
