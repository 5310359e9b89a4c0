#include "cli/cli_texts.h"

namespace varnok::cli {
namespace {

constexpr CliTexts kEnglish{
    .reason_follows = ": ",
    .note_follows = "; ",
    .list_separator = ", ",
    .sentence_break = ". ",
    .yes = "yes",
    .no = "no",
    .results = {"sent", "not sent", "would be sent", "would not be sent", "cancelled", "not tried",
                "unchanged", "waiting"},

    .queue_heading = "QUEUE",
    .accepts_jobs_heading = "ACCEPTS JOBS",
    .driver_heading = "DRIVER",
    .model_heading = "MODEL",
    .supported_heading = "SUPPORTED",
    .command_heading = "COMMAND",
    .commands_heading = "COMMANDS",
    .result_heading = "RESULT",
    .device_uri_heading = "DEVICE URI",
    .make_and_model_heading = "MAKE AND MODEL",
    .description_heading = "DESCRIPTION",
    .setting_heading = "SETTING",
    .takes_heading = "TAKES",
    .sets_heading = "SETS",
    .driver_file_heading = "DRIVER FILE",

    .no_driver = "(none)",
    .in_chinese_window = "{yes_no} (Chinese window)",
    .in_english_window = "{yes_no} (English window)",
    .no_brand_queue =
        "No printer queue's name begins with VARNOK or Varnok on the print system "
        "at {server}. Add one with 'varnok-printer add'.",
    .no_free_device =
        "The print system at {server} sees no printer that has no queue yet. Is "
        "the printer on and connected?",
    .varnok_device_mark =
        "* a VARNOK printer: add it with 'varnok-printer add --model MODEL --device URI'",
    .takes_number = "a whole number, {range}",
    .takes_nothing = "nothing",
    .range = "{min} to {max}",
    .max_print_length_is = "millimetres, 0 to {limit}; sends them plus {offset}",

    .unreachable =
        "cannot reach the print system at {server}: it is not running or does not "
        "take connections, or its address cannot be found",
    .no_answer = "the print system at {server} did not answer in time",
    .not_a_print_server = "{server} is not a CUPS print server: it answered \"{reason}\"",
    .server_answered = "{action}: {reason}",
    .password_wanted = "the print server {server} wants a password for user {user}",
    .password_refused = "the print server {server} did not accept the password of user {user}",
    .password_prompt = "Password for {user} on {server}: ",
    .rights =
        "you may not {action} (the print system at {server} answered \"{reason}\"): only "
        "root and members of the group lpadmin may. Run 'sudo varnok-printer {command} …', "
        "or ask to be made a member of lpadmin",
    .list_action = "cannot list the printers of the print system at {server}",
    .devices_action = "cannot look for printers through the print system at {server}",
    .devices_rights_action = "look for printers",
    .drivers_action = "cannot read the driver list of the print system at {server}",
    .add_action = "the print system at {server} did not add the queue {queue}",
    .add_rights_action = "add printers",
    .queue_check_action = "cannot check the queue names with the print system at {server}",
    .describe_action = "cannot read the queue's driver from the print system at {server}",
    .send_action = "the print system at {server} did not take the job",

    .see_help = "See 'varnok-printer --help' or 'varnok-printer COMMAND --help'",
    .server_not_here =
        "--server has no meaning here: the program speaks to this computer's spooler, which "
        "reaches the printers of print servers too once they are connected in the system's "
        "printer settings",
    .no_command = "no command given; the commands are {commands}",
    .unknown_command = "unknown command \"{command}\"; the commands are {commands}",
    .config_unreadable = "cannot read the settings file \"{file}\"",
    .no_setting = "\"{typed}\" is no setting; the settings are {names}",
    .needs_value = "{setting} needs a value before the queues",
    .not_whole_number = "\"{value}\" is not a whole number: {setting} takes one from {range}",
    .out_of_range = "{value} is out of range: {setting} takes a whole number from {range}",
    .no_choice = "\"{value}\" is no choice of {setting}; give {first} or {second}",
    .network_needs = "network needs {option} A.B.C.D",
    .bad_address =
        "{option} \"{text}\" is not an address of four numbers from 0 to 255, e.g. 192.168.1.168",
    .bad_port = "{option} \"{port}\" is not a port number from 1 to 65535",
    .network_options_only =
        "--address, --mask, --gateway and --port go with the setting network only",
    .no_queue_given =
        "no queue given for {setting}; name one or more ('varnok-printer list' "
        "shows them)",
    .unknown_queues =
        "the print server at {server} has no queue {queues}; nothing was sent "
        "('varnok-printer list' shows the VARNOK queues)",
    .not_a_model =
        "\"{typed}\" is not a supported model; the closest are {closest} "
        "('varnok-printer models' lists them all)",
    .not_a_printer_address =
        "\"{address}\" is not a printer address: give HOST or HOST:PORT, "
        "for example 192.168.1.168 or printer7.example:9100 (port 1 to "
        "65535)",
    .not_a_queue_name =
        "\"{name}\" cannot name a print queue: use 1 to 127 bytes without "
        "blanks, control characters, quotes, \"/\", \"?\", \"#\" or backslashes",
    .not_a_brand_name =
        "\"{name}\" does not begin with \"VARNOK\" or \"Varnok\", so the "
        "program's windows would not list it; try \"{suggestion}\"",
    .not_a_device_uri =
        "\"{uri}\" is not a device URI; 'varnok-printer devices' shows the URIs "
        "of the printers the print system sees, for example usb://… or "
        "socket://…",
    .queue_exists =
        "a queue named \"{name}\" exists already: choose another name, or add "
        "--replace to change it",
    .cannot_send_file = "cannot send \"{file}\": {reason}",
    .no_such_file = "no such file",
    .file_is_empty = "the file is empty",
    .apply_needs_profile_and_queue =
        "apply needs a profile and at least one queue ('varnok-printer apply --template' "
        "prints a profile to start from)",
    .template_alone = "--template takes no profile or queue: it prints a profile to start from",

    .profile_unreadable = "cannot read the profile \"{file}\": {reason}",
    .profile_not_readable = "it is no ordinary file of at most 1 MiB that may be read",
    .profile_line_pattern = "{file}:{line}: {message}",
    .profile_empty =
        "the profile \"{file}\" holds no setting ('varnok-printer apply --template' prints "
        "every setting, to start from)",
    .profile_not_utf8 = "the line is not UTF-8 text; save the profile as UTF-8",
    .profile_not_an_entry = "\"{text}\" is no setting: write SETTING = VALUE",
    .profile_unknown_section =
        "[{section}] is no section of a profile: the sections are [settings] and [network]",
    .profile_section_twice = "[{section}] is given twice (first at line {first})",
    .profile_outside_section =
        "{name} stands before any section: settings go under [settings], the network "
        "card's address, mask, gateway and port under [network]",
    .profile_given_twice = "{setting} is given twice (first at line {first})",
    .profile_reset =
        "{setting} is an action, not a setting, so it has no place in a profile: "
        "'varnok-printer set {setting} QUEUE…' does it",
    .profile_network_in_settings =
        "the network card's values go under [network], as address, mask, gateway and port",
    .profile_no_network_key =
        "\"{name}\" is no value of the network card: give address, mask, gateway or port",
    .profile_network_for_many =
        "[network] gives one address, and {count} queues are named: printers that shared it "
        "would clash; apply the network card's values to one queue at a time",

    .template_introduction =
        "; A profile for 'varnok-printer apply PROFILE QUEUE…': the settings each printer\n"
        "; named gets, in the order of this file, all in one job. Take the \"; \" from the\n"
        "; settings to send and give them their values; the others are not sent. As with\n"
        "; 'varnok-printer set', the positions in dots get the model's correction from\n"
        "; config.ini. Resets are actions, not settings: 'varnok-printer set reset-user\n"
        "; QUEUE…' does them.\n",
    .template_factory = "factory value {value}",
    .template_factory_maximum = "factory value: the printer's own maximum",
    .template_factory_orientation =
        "factory value bottom-to-top (K and M series) or top-to-bottom (R and RS series)",
    .template_factory_unknown = "factory value: the printer's own",
    .template_network =
        "; The network card, for one printer at a time (printers that shared an address would\n"
        "; clash): its address, subnet mask and gateway, each four numbers from 0 to 255, and\n"
        "; its port, 1 to 65535, factory value 9100 (also sent when no port is given).",

    .no_driver_file =
        "the print system at {server} has no driver file for {model}: install the "
        "varnok-utility package on it (its driver files go to "
        "/usr/share/ppd/varnok-utility)",
    .added = "Added the queue {queue} for the {model} at {uri}.",
    .replaced = "Replaced the queue {queue}: it is now for the {model} at {uri}.",
    .would_add = "Would add the queue {queue} for the {model} at {uri}.",
    .would_replace = "Would replace the queue {queue}: it would be for the {model} at {uri}.",
    .name_made = "The queue's name was made from the model; give QUEUE to choose another.",

    .no_such_queue = "there is no queue {queue} on the print server at {server}",
    .not_supported =
        "the model {model} is not supported ('varnok-printer models' lists those "
        "that are)",
    .not_accepting = "the queue does not accept jobs",
    .gone_after = "the queue could not be opened again afterwards",
    .check_unanswered = "the print system did not answer the check afterwards",
    .silent_before = "the print system at {server} had stopped answering",
    .file_unreadable = "cannot read the file ({reason})",

    .started_heading = "STARTED",
    .job_heading = "JOB",
    .by_heading = "BY",
    .carried_heading = "CARRIED",
    .value_heading = "VALUE",
    .delivered_heading = "DELIVERED",
    .wanted_heading = "WANTED",
    .outcomes = {"delivered", "failed", "interrupted", "printing"},
    .unknown_because = {"unknown: never delivered", "unknown: {detail} since",
                        "unknown: the queue's device changed since (it was {detail})",
                        "unknown: the last job that carried it was interrupted",
                        "unknown: the job that carries it is printing",
                        "unknown: the last job that carried it failed ({detail})"},
    .label_job = "label job, {size} bytes",
    .label_job_unended = "label job, bytes sent not known",
    .not_journaled =
        "not journaled: the queue's device does not go through the backend, so nothing is known "
        "of it ('varnok-printer journal enable QUEUE' changes that)",
    .as_profile = "as the profile",
    .waiting = "its settings job {job} still waits in the print system",
    .journal_not_begun =
        "no job has gone through the journal at {file} yet: every setting is unknown, and sent",
    .journal_missing =
        "there is no journal at {file}: run this on the print server, once a queue goes through "
        "the backend",
    .journal_not_allowed = "the journal {file} may be read by root and the lpadmin group only",
    .journal_not_a_journal = "{file} is not a journal of varnok-printer",
    .journal_damaged = "the journal {file} is damaged ({detail})",
    .journal_full = "the journal {file} cannot grow: the disk is full",
    .journal_unavailable =
        "the journal is kept by a CUPS print server: run this command on the print server",
    .journal_failed = "the journal {file} cannot be read ({detail})",
    .not_a_time =
        "{text} is not a time: give a date and time in UTC such as 2026-12-10 or "
        "2026-12-10T14:30:00Z",
    .journal_enabled = "The queue {queue} now goes through the journal: {uri}.",
    .journal_disabled = "The queue {queue} no longer goes through the journal: {uri}.",
    .journal_change_action = "the print system at {server} did not change the queue {queue}",
    .change_rights_action = "change printers",
    .jobs_action = "cannot list the jobs of the print system at {server}",
    .remove_action = "the print system at {server} did not remove the queue {queue}",
    .removed = "Removed the queue {queue}.",
    .converge_needs_queue = "apply --converge needs the profile and at least one queue",
};

constexpr CliTexts kChinese{
    .reason_follows = "：",
    .note_follows = "；",
    .list_separator = "、",
    .sentence_break = "。",
    .yes = "是",
    .no = "否",
    .results = {"已发送", "未发送", "将发送", "不会发送", "已取消", "未尝试", "无变化", "等待中"},

    .queue_heading = "队列",
    .accepts_jobs_heading = "接受作业",
    .driver_heading = "驱动",
    .model_heading = "型号",
    .supported_heading = "支持",
    .command_heading = "命令",
    .commands_heading = "命令",
    .result_heading = "结果",
    .device_uri_heading = "设备 URI",
    .make_and_model_heading = "厂商和型号",
    .description_heading = "描述",
    .setting_heading = "设置",
    .takes_heading = "取值",
    .sets_heading = "作用",
    .driver_file_heading = "驱动文件",

    .no_driver = "（无）",
    .in_chinese_window = "{yes_no}（中文窗口）",
    .in_english_window = "{yes_no}（英文窗口）",
    .no_brand_queue =
        "{server} 上的打印系统没有名称以 VARNOK 或 Varnok 开头的打印队列。"
        "请用 'varnok-printer add' 添加。",
    .no_free_device = "{server} 上的打印系统没有看到尚无队列的打印机。打印机是否已开机并连接？",
    .varnok_device_mark = "* VARNOK 打印机：用 'varnok-printer add --model 型号 --device URI' 添加",
    .takes_number = "整数，{range}",
    .takes_nothing = "无",
    .range = "{min} 至 {max}",
    .max_print_length_is = "毫米，0 至 {limit}；发送的数值为其加 {offset}",

    .unreachable = "无法连接 {server} 上的打印系统：它没有运行、不接受连接，或找不到该地址",
    .no_answer = "{server} 上的打印系统没有及时响应",
    .not_a_print_server = "{server} 不是 CUPS 打印服务器：它的回答是“{reason}”",
    .server_answered = "{action}：{reason}",
    .password_wanted = "打印服务器 {server} 需要用户 {user} 的密码",
    .password_refused = "打印服务器 {server} 不接受用户 {user} 的密码",
    .password_prompt = "{server} 上用户 {user} 的密码：",
    .rights =
        "您无权{action}（{server} 上的打印系统回答“{reason}”）：只有 root 和 lpadmin "
        "组的成员可以。请运行 'sudo varnok-printer {command} …'，或请求加入 lpadmin 组",
    .list_action = "无法列出 {server} 上的打印系统的打印机",
    .devices_action = "无法通过 {server} 上的打印系统查找打印机",
    .devices_rights_action = "查找打印机",
    .drivers_action = "无法读取 {server} 上的打印系统的驱动列表",
    .add_action = "{server} 上的打印系统没有添加队列 {queue}",
    .add_rights_action = "添加打印机",
    .queue_check_action = "无法向 {server} 上的打印系统核对队列名称",
    .describe_action = "无法从 {server} 上的打印系统读取该队列的驱动",
    .send_action = "{server} 上的打印系统没有接受作业",

    .see_help = "见 'varnok-printer --help' 或 'varnok-printer 命令 --help'",
    .server_not_here =
        "--server 在此没有意义：本程序使用这台电脑的打印后台程序；在系统的打印机设置"
        "中连接打印服务器的打印机后，即可通过它使用这些打印机",
    .no_command = "没有给出命令；命令有 {commands}",
    .unknown_command = "未知命令“{command}”；命令有 {commands}",
    .config_unreadable = "无法读取配置文件“{file}”",
    .no_setting = "“{typed}”不是设置；设置有 {names}",
    .needs_value = "{setting} 需要在队列之前给出数值",
    .not_whole_number = "“{value}”不是整数：{setting} 取 {range} 的整数",
    .out_of_range = "{value} 超出范围：{setting} 取 {range} 的整数",
    .no_choice = "“{value}”不是 {setting} 的选项；请给出 {first} 或 {second}",
    .network_needs = "network 需要 {option} A.B.C.D",
    .bad_address = "{option}“{text}”不是由四个 0 至 255 的数组成的地址，例如 192.168.1.168",
    .bad_port = "{option}“{port}”不是 1 至 65535 的端口号",
    .network_options_only = "--address、--mask、--gateway 和 --port 只用于设置 network",
    .no_queue_given =
        "没有为 {setting} 给出队列；请给出一个或多个（'varnok-printer list' "
        "列出它们）",
    .unknown_queues =
        "{server} 上的打印服务器没有队列 {queues}；未发送任何内容"
        "（'varnok-printer list' 列出 VARNOK 队列）",
    .not_a_model =
        "“{typed}”不是支持的型号；最接近的是 {closest}"
        "（'varnok-printer models' 列出全部型号）",
    .not_a_printer_address =
        "“{address}”不是打印机地址：请给出 主机 或 主机:端口，例如 "
        "192.168.1.168 或 printer7.example:9100（端口 1 至 65535）",
    .not_a_queue_name =
        "“{name}”不能作为打印队列名称：请用 1 至 127 个字节，不含空格、控制字符、"
        "引号、“/”、“?”、“#”或反斜杠",
    .not_a_brand_name =
        "“{name}”不以“VARNOK”或“Varnok”开头，本程序的窗口不会列出它；"
        "请试试“{suggestion}”",
    .not_a_device_uri =
        "“{uri}”不是设备 URI；'varnok-printer devices' 列出打印系统看到的"
        "打印机的 URI，例如 usb://… 或 socket://…",
    .queue_exists = "名为“{name}”的队列已存在：请另选名称，或加上 --replace 修改它",
    .cannot_send_file = "无法发送“{file}”：{reason}",
    .no_such_file = "没有这个文件",
    .file_is_empty = "文件是空的",
    .apply_needs_profile_and_queue =
        "apply 需要一个配置档和至少一个队列（'varnok-printer apply --template' 输出一个可作起点的"
        "配置档）",
    .template_alone = "--template 不接受配置档或队列：它只输出一个可作起点的配置档",

    .profile_unreadable = "无法读取配置档“{file}”：{reason}",
    .profile_not_readable = "它不是可读取的、不超过 1 MiB 的普通文件",
    .profile_line_pattern = "{file}:{line}：{message}",
    .profile_empty =
        "配置档“{file}”没有任何设置（'varnok-printer apply --template' 输出全部设置，可作起点）",
    .profile_not_utf8 = "该行不是 UTF-8 文本；请将配置档存为 UTF-8",
    .profile_not_an_entry = "“{text}”不是设置：请写成 设置 = 数值",
    .profile_unknown_section = "[{section}] 不是配置档的节：节有 [settings] 和 [network]",
    .profile_section_twice = "[{section}] 出现了两次（第一次在第 {first} 行）",
    .profile_outside_section =
        "{name} 不在任何节中：设置写在 [settings] 下，网卡的 address、mask、gateway 和 port "
        "写在 [network] 下",
    .profile_given_twice = "{setting} 出现了两次（第一次在第 {first} 行）",
    .profile_reset =
        "{setting} 是操作而不是设置，不能写在配置档中：请用 'varnok-printer set {setting} "
        "队列…'",
    .profile_network_in_settings = "网卡的数值写在 [network] 下，即 address、mask、gateway 和 port",
    .profile_no_network_key = "“{name}”不是网卡的数值：请给出 address、mask、gateway 或 port",
    .profile_network_for_many =
        "[network] 只给出一个地址，却指定了 {count} 个队列：共用该地址的打印机会相互冲突；"
        "请每次只对一个队列设置网卡",

    .template_introduction =
        "; 'varnok-printer apply 配置档 队列…' 的配置档：所指定的每台打印机按本文件的顺序\n"
        "; 在一个作业中收到这些设置。去掉要发送的设置前的 \"; \" 并填写数值；其余的不发送。\n"
        "; 与 'varnok-printer set' 相同，以点为单位的位置会加上 config.ini 中该型号的校正值。\n"
        "; 复位是操作而不是设置：请用 'varnok-printer set reset-user 队列…'。\n",
    .template_factory = "出厂值 {value}",
    .template_factory_maximum = "出厂值：打印机自身的最大值",
    .template_factory_orientation =
        "出厂值：K/M 系列为 bottom-to-top（反向），R/RS 系列为 top-to-bottom（正向）",
    .template_factory_unknown = "出厂值：由打印机决定",
    .template_network =
        "; 网卡，每次只设置一台打印机（共用一个地址的打印机会相互冲突）：地址、子网掩码和网关，\n"
        "; 各为四个 0 至 255 的数；端口为 1 至 65535，出厂值 9100（不给出端口时也发送 9100）。",

    .no_driver_file =
        "{server} 上的打印系统没有 {model} 的驱动文件：请在其上安装 "
        "varnok-utility 软件包（驱动文件位于 /usr/share/ppd/varnok-utility）",
    .added = "已添加队列 {queue}，用于 {uri} 的 {model}。",
    .replaced = "已替换队列 {queue}：现在用于 {uri} 的 {model}。",
    .would_add = "将添加队列 {queue}，用于 {uri} 的 {model}。",
    .would_replace = "将替换队列 {queue}：将用于 {uri} 的 {model}。",
    .name_made = "队列名称是根据型号生成的；给出 QUEUE 可另选名称。",

    .no_such_queue = "{server} 上的打印服务器没有队列 {queue}",
    .not_supported = "不支持型号 {model}（'varnok-printer models' 列出支持的型号）",
    .not_accepting = "该队列不接受作业",
    .gone_after = "之后无法再次打开该打印机",
    .check_unanswered = "之后检查该打印机时打印系统没有响应",
    .silent_before = "{server} 上的打印系统已停止响应",
    .file_unreadable = "无法读取文件（{reason}）",

    .started_heading = "开始时间",
    .job_heading = "作业",
    .by_heading = "提交者",
    .carried_heading = "内容",
    .value_heading = "值",
    .delivered_heading = "送达时间",
    .wanted_heading = "期望值",
    .outcomes = {"已送达", "失败", "已中断", "打印中"},
    .unknown_because = {"未知：从未送达", "未知：此后执行了 {detail}",
                        "未知：此后队列的设备已更换（原为 {detail}）",
                        "未知：携带它的最后一个作业被中断", "未知：携带它的作业正在打印",
                        "未知：携带它的最后一个作业失败（{detail}）"},
    .label_job = "标签作业，{size} 字节",
    .label_job_unended = "标签作业，已发送字节数未知",
    .not_journaled =
        "未记录：该队列的设备不经过记录后端，因此对它一无所知（'varnok-printer journal enable "
        "QUEUE' 可改变这一点）",
    .as_profile = "与配置文件一致",
    .waiting = "它的设置作业 {job} 仍在打印系统中等待",
    .journal_not_begun = "{file} 处的记录中尚无作业：每项设置均为未知，全部发送",
    .journal_missing = "{file} 处没有记录：请在打印服务器上运行，并先让队列经过记录后端",
    .journal_not_allowed = "记录 {file} 只有 root 和 lpadmin 组可以读取",
    .journal_not_a_journal = "{file} 不是 varnok-printer 的记录",
    .journal_damaged = "记录 {file} 已损坏（{detail}）",
    .journal_full = "记录 {file} 无法增长：磁盘已满",
    .journal_unavailable = "记录保存在 CUPS 打印服务器上：请在打印服务器上运行此命令",
    .journal_failed = "无法读取记录 {file}（{detail}）",
    .not_a_time = "{text} 不是时间：请给出 UTC 日期和时间，例如 2026-12-10 或 2026-12-10T14:30:00Z",
    .journal_enabled = "队列 {queue} 现在经过记录：{uri}。",
    .journal_disabled = "队列 {queue} 不再经过记录：{uri}。",
    .journal_change_action = "{server} 上的打印系统没有更改队列 {queue}",
    .change_rights_action = "更改打印机",
    .jobs_action = "无法列出 {server} 上的打印系统的作业",
    .remove_action = "{server} 上的打印系统没有删除队列 {queue}",
    .removed = "已删除队列 {queue}。",
    .converge_needs_queue = "apply --converge 需要配置文件和至少一个队列",
};

}  // namespace

void CliTexts::AddToList(std::string& list, std::string_view name) const {
  if (!list.empty()) list += list_separator;
  list += name;
}

const CliTexts& CliTextsIn(Language language) {
  return language == Language::Chinese ? kChinese : kEnglish;
}

}  // namespace varnok::cli
