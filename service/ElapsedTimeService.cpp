#include "ElapsedTimeService.h"

#include "Beeper.h"
#include "UpTime.h"

CElapsedTimeService::CElapsedTimeService()
    : m_alarm(0), m_rating(0), m_upTime(0), m_total(0), m_query(0), m_counterStorage(NULL),
      m_accounted(false)
{
    m_storedHalves.QuadPart = 0;
}

CElapsedTimeService::~CElapsedTimeService() {}

void CElapsedTimeService::LaunchStep()
{
    m_counterStorage = ReserveCounterStorage();
    if (m_counterStorage)
        g_beep(500, 100);
}

DWORD CElapsedTimeService::LoadValue(LPCSTR name, DWORD defaultValue)
{
    DWORD value;
    if (m_key.QueryValue(name, &value))
        return value;
    m_key.SetValue(name, defaultValue);
    return defaultValue;
}

void CElapsedTimeService::ServiceMain(DWORD argc, LPSTR* argv)
{
    m_status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN;

    char storeClass[] = VASK_STORE_CLASS;
    CreateKey(HKEY_LOCAL_MACHINE, VASK_STORE_KEY, storeClass);
    m_key.Open(HKEY_LOCAL_MACHINE, VASK_STORE_KEY);
    m_storedHalves.HighPart = LoadValue(VASK_VALUE_HIGH, kDefaultElapsedHalf);
    m_storedHalves.LowPart = LoadValue(VASK_VALUE_LOW, kDefaultElapsedHalf);
    m_total = m_storedHalves.QuadPart;
    m_rating = LoadValue(VASK_VALUE_RATING, kDefaultRating);
    m_alarm = LoadValue(VASK_VALUE_ALARM, kDefaultAlarm);

    m_key.Open(HKEY_LOCAL_MACHINE, VASK_SERVICE_KEY);
    m_key.SetValue("Start", SERVICE_AUTO_START);
    m_key.Close();

    OpenUpTimeQuery(&m_query, m_counterStorage);
    g_beep(1000, 100);

    HostServiceMain(argc, argv);
}

void CElapsedTimeService::ControlHandler(DWORD code)
{
    if (code == SERVICE_CONTROL_SHUTDOWN && !m_accounted) {
        m_accounted = true;
        // A failed sample would add an undefined number; the stored total stays as it is.
        if (SampleUpTime(m_query, m_counterStorage, &m_upTime)) {
            m_key.Open(HKEY_LOCAL_MACHINE, VASK_STORE_KEY);
            m_total += m_upTime;
            m_storedHalves.QuadPart = m_total;
            m_key.SetValue(VASK_VALUE_HIGH, m_storedHalves.HighPart);
            m_key.SetValue(VASK_VALUE_LOW, m_storedHalves.LowPart);
            m_key.Close();
        }
        CloseUpTimeQuery(m_query);
        g_beep(100, 100);
    }
    HandleControl(code);
}
